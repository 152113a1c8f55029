#pragma once
// The editor's 3D view: the level drawn by the game's own device and world drawing into a
// picture that the window shows beside the map, with a free camera and the hero's view.
//
// The device shares the editor window's GL context (platform/uidevice.h) and draws into its
// own back buffer; the finished picture is copied into a texture shown with ImGui::Image.
// So the widgets keep their layout, clipping and popups over the view, and the world is
// drawn again only when the level or the camera changes, never on an idle frame.
#include "levelmodel.h"
#include "platform/uidevice.h"
#include "render/services.h"
#include "viewcamera.h"

#include <string>

namespace editor {

class WorldView {
  public:
    WorldView() = default;
    WorldView(const WorldView&) = delete;
    WorldView& operator=(const WorldView&) = delete;
    ~WorldView() { Release(); }

    // The view's widgets at the cursor, `width` wide: the picture, then "Hero's View" and a
    // line on the controls. The world is filled again when `revision` differs from the one
    // last shown; a level with another id starts at the hero's view.
    void Draw(const levelkit::LevelSource& level, long revision, float width);
    // Places the camera as the game's would at the hero's start.
    void HeroView();
    void Look(const ViewCamera& camera) { camera_ = camera, stale_ = true; }

    // What the last refill and the last picture cost, in milliseconds.
    double RefillMilliseconds() const { return refillMs_; }
    double DrawMilliseconds() const { return drawMs_; }
    const ViewCamera& Camera() const { return camera_; }
    // The last picture, 0xAARRGGBB rows top to bottom (tests).
    bool ReadPicture(std::vector<uint32_t>& pixels) const { return picture_.Read(pixels); }

  private:
    bool Start();
    void Release();
    void Refill(const levelkit::LevelSource& level, long revision);
    void Steer(bool hovered, bool active);

    tservices services_; // the graphics device alone, for the model store and DrawWorld
    window::UiDevicePicture picture_;
    bool started_ = false;
    std::string problem_; // why there is no view
    ViewCamera camera_;
    long shownRevision_ = -1;
    std::string shownId_;
    bool stale_ = true, focused_ = false, filled_ = false;
    double refillMs_ = 0, drawMs_ = 0;
};

} // namespace editor
