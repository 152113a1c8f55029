#include "startup/assetloading.h"

#include "platform/files.h"
#include "render/font.h"
#include "render/object3d.h"
#include "render/screenlayout.h"

#include <exception>

namespace {

std::string PathOf(const AssetEntry& entry) {
    return entry.inTextureFolder ? TextureFolder + entry.file : std::string(entry.file);
}

const PictureRect& RectOf(const AssetEntry& entry) {
    return TextureFolder == TextureFolder2048 ? entry.rect2048 : entry.rect1024;
}

// Loads one row; the index its store gave it, or -1 when it failed.
int LoadRow(tservices& services, const AssetEntry& entry) {
    const std::string path = PathOf(entry);
    switch (entry.kind) {
    case AssetKind::RigidModel:
    case AssetKind::SkinnedModel: {
        if (!services.graphics || !services.graphics->Device()) return -1;
        gpu::Device* device = services.graphics->Device();
        return entry.kind == AssetKind::RigidModel ? Models().AddModel(device, path)
                                                   : Models().AddSkinnedModel(device, path);
    }
    case AssetKind::Picture: {
        // A picture that is there but cannot be decoded is reported by the texture cache
        // and left empty; one that is missing stops the start.
        if (!services.sprites || !files::Exists(path)) return -1;
        const PictureRect& r = RectOf(entry);
        return services.sprites->AddSprite(path, r.left, r.top, r.width, r.height);
    }
    case AssetKind::FontGlyphs: {
        if (!services.sprites || !files::Exists(path)) return -1;
        int first = -1;
        for (const FontGlyph& g : FontGlyphs) {
            const int index = services.sprites->AddSprite(path, g.left, g.top, g.width, g.height);
            if (first < 0) first = index;
        }
        return first;
    }
    case AssetKind::Effect:
        // The sound object would take a missing file as silence; a missing file of our
        // own data means a broken installation, which the start reports.
        if (!services.sound || !files::Exists(path)) return -1;
        return services.sound->LoadEffect(path);
    case AssetKind::MusicName:
        return 0; // remembered by name (MenuMusic, GameOverMusic), not loaded
    }
    return -1;
}

} // namespace

bool LoadAssetGroup(tservices& services, AssetGroup group, tassetloading& loading) {
    for (size_t row = 0; row < AssetOrder.size(); ++row) {
        const AssetEntry& entry = AssetOrder[row];
        if (entry.group != group) continue;
        if (entry.context) loading.context = entry.context;
        if (entry.waitBefore && loading.waitPicture) loading.waitPicture();
        int index = -1;
        try {
            index = LoadRow(services, entry);
        } catch (const std::exception&) {
            return false;
        }
        if (index < 0) return false;
        if (loading.keepAlive) loading.keepAlive();
        // Every later use of the asset goes by this number: a store that was not empty
        // when loading began would shift them all.
        if (StoreOf(entry.kind) != AssetStore::None && index != StoreIndexOfRow(row)) return false;
    }
    return true;
}

bool LoadAllAssets(tservices& services, tassetloading& loading) {
    for (AssetGroup group : {AssetGroup::BeforeIntro, AssetGroup::Models, AssetGroup::AfterModels})
        if (!LoadAssetGroup(services, group, loading)) return false;
    return true;
}

std::string InitializationError(const tassetloading& loading) {
    return InitializationErrorText + loading.context;
}
