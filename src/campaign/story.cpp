// The intro, the epilogue and the credits.
#include "campaign/menu.h"
#include "campaign/screens.h"
#include "campaign/storycells.h"
#include "campaign/storytimeline.h"
#include "engine/settings.h"
#include "render/assetorder.h"

#include <span>

const char* const CreditLines[CreditLineCount] = {
    "Programming, Gfx, Sound Effects",
    "  The Tarnhollow developers",
    "",
    "Music",
    "  Jonas Virtanen",
    "",
    "Levels",
    "  Mira Aaltonen",
    "  Tomas Reyes",
    "",
    "SDL_mixer Sound Library",
    "  zlib licence, (C) Sam Lantinga and contributors",
};

namespace {

using namespace story;

constexpr const char* IntroMusic = "snd\\intro.ogg";
constexpr const char* EpilogueMusic = "snd\\end.ogg";

float MusicVolume() {
    return static_cast<float>(settings.MusicVolume) / 100.0f;
}

void DrawPanels(tstorydraw& d, float t, std::span<const tpanel> panels) {
    for (const tpanel& p : panels) {
        if (!(t < p.goneAt)) continue; // scrolled out of sight
        if (p.entrance == tentrance::ZoomIn) d.ZoomIn(p.cell, p.x, p.y, p.start, p.end);
        if (p.entrance == tentrance::FadeIn) d.FadeIn(p.cell, p.x, p.y, p.scale, p.start, p.end);
        d.Hold(p.cell, p.x, p.y, p.scale, p.end);
    }
}

void DrawTexts(tstorydraw& d, std::span<const ttextstep> steps) {
    for (const ttextstep& s : steps) {
        switch (s.move) {
        case tmove::SlideIn:
            d.SlideIn(s.text, s.path, s.size, s.start, s.end);
            break;
        case tmove::SlideOut:
            d.SlideOut(s.text, s.path, s.size, s.start, s.end);
            break;
        case tmove::Hold:
            d.TextHold(s.text, s.path.x0, s.path.y0, s.size, s.start, s.end);
            break;
        }
    }
}

void DrawFade(tstorydraw& d, float t, const tfade& fade) {
    if (InWindow(t, fade.start, fade.end))
        d.Cover(Opacity((t - fade.start) / (fade.end - fade.start)));
    else if (InWindow(t, fade.end, fade.until))
        d.Cover(255);
}

void DrawIntro(tservices& services, float t) {
    tstorydraw d(services, t, ScrollAt(t, IntroPans));
    DrawPanels(d, t, IntroPanels);
    DrawFade(d, t, IntroFade);
    DrawTexts(d, IntroTexts);
    if (t > MenuPictureFrom) {
        DrawBackground(services, -1, 0, 0);
        if (InWindow(t, MenuPictureFrom, MenuPictureFadeEnd))
            d.Fill(StoryFinalFadeCell, 0xFFFFFF, Opacity(MenuPictureFadeEnd - t));
    }
}

void DrawEpilogue(tservices& services, float t) {
    tstorydraw d(services, t, ScrollAt(t, EpiloguePans));
    DrawTexts(d, EpilogueTexts);
    DrawPanels(d, t, EpiloguePanels);
    DrawFade(d, t, EpilogueFade);
}

bool AnythingHeld(const TDInput& in) {
    return in.HighestKeyDown() > 0 || in.HighestPadControl() > 0;
}

} // namespace

void Intro(tservices& services) {
    LoadStoryCells(services);
    services.sound->PlayMusicOnce(IntroMusic, MusicVolume());
    PlayStory(services, IntroLength, [&](float t) { DrawIntro(services, t); });
}

void ShowIntroOpening(tservices& services) {
    ShowPaper(services);
}

void Epilogue(tservices& services) {
    // The key that finished the level may still be down: it must not skip the ending.
    TDInput& in = *services.input;
    do {
        in.Poll();
    } while (AnythingHeld(in) && !services.Closing() &&
             !(services.inputEnded && services.inputEnded()));
    LoadStoryCells(services);
    services.sound->PlayMusicOnce(EpilogueMusic, MusicVolume());
    if (!services.Closing())
        PlayStory(services, EpilogueLength, [&](float t) { DrawEpilogue(services, t); });
    services.sound->PlayMusic(MenuMusic, MusicVolume());
}
