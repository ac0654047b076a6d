#include "vostrel/vostrel_display.h"

#include <vector>

#include "platform/canvas.h"
#include "platform/files.h"
#include "platform/image.h"
#include "platform/sys.h"
#include "platform/window.h"
#include "vostrel/screenmanager.h"

std::shared_ptr<Vostrel_display> Vostrel_display::Create(int width, int height, int fps, int mode) {
    auto display = std::make_shared<Vostrel_display>();
    display->_width = width;
    display->_height = height;
    display->_fps = fps;
    display->_initCanvas(width, height, fps, mode);
    return display;
}

int Vostrel_display::_initCanvas(int width, int height, int fps, int mode) {
    (void)mode;  // the game only runs windowed
    if (!plat::openWindow(width, height, fps))
        plat::fatal("Could not open the " + std::to_string(width) + " x " + std::to_string(height) + " window");
    plat::setBlend(plat::ALPHABLEND);
    plat::cls();
    return 0;
}

namespace {
// What a build leaves beside the cache: DEST.part-XXXXXX while a start fills it, DEST.old-XXXXXX
// for the cache it replaces; DEST.part and DEST.old are the same from earlier versions.
bool isBuildLeftover(const std::string& name, const std::string& base, const std::string& kind) {
    const std::string plain = base + kind;
    return name == plain || name.rfind(plain + "-", 0) == 0;
}
std::string folderOf(const std::string& path) {
    const std::string dir = plat::extractDir(path);
    return dir.empty() ? "." : dir;
}
}  // namespace

int Vostrel_display::resizeAssets(const std::string& source, const std::string& destination) {
    if (plat::fileType(source) != plat::FILETYPE_DIR) {
        plat::printLine("Could not open the " + source + " folder");
        return 0;
    }
    // Each start builds in a folder of its own, locked while it fills it, so that a start at
    // the same time neither shares nor removes it. A folder gone before the lock was taken
    // was taken for a leftover by another start: make another. Where the file system has no
    // locks, the build goes on unlocked (and no start removes it either).
    std::string partial;
    int building = -1;
    for (int attempt = 0; attempt < 5; ++attempt) {
        partial = plat::createUniqueDir(destination + ".part-");
        if (partial.empty()) break;
        building = plat::lockFolder(partial, true);
        if (building >= 0 || plat::pathPresent(partial)) break;
    }
    if (partial.empty() || !plat::pathPresent(partial)) {
        plat::printLine("Could not create the " + destination + ".part folder");
        return 0;
    }
    if (!_resizeTree(source, partial, ScreenManager::getDrawScale())) {
        plat::deletePath(partial);
        plat::unlockFolder(building);
        plat::printLine("The image cache " + destination + " could not be built");
        return 0;
    }
    // Starts that finish together take turns here, so none puts aside a cache that another
    // has just put in place and is loading from.
    const int turn = plat::lockFolder(folderOf(destination), true);
    std::string aside;
    if (cacheComplete(source, destination)) {
        // Another start finished first: keep its cache.
        plat::deletePath(partial);
    } else {
        // Whatever stands in the way goes aside first: a damaged cache, a plain file, or a
        // link that points nowhere (which only looks like nothing).
        if (plat::pathPresent(destination)) {
            aside = destination + ".old-" + partial.substr(partial.size() - 6);
            if (!plat::renamePath(destination, aside)) {
                plat::printLine("Could not replace the " + destination + " folder");
                aside.clear();
                plat::deletePath(partial);
            }
        }
        if (plat::pathPresent(partial) && !plat::renamePath(partial, destination)) {
            plat::deletePath(partial);
            if (!aside.empty() && plat::renamePath(aside, destination)) aside.clear();
            plat::printLine("Could not create the " + destination + " folder");
        }
    }
    plat::unlockFolder(turn);
    plat::unlockFolder(building);
    if (!aside.empty()) plat::deletePath(aside);
    return 0;
}

void Vostrel_display::removeAbandonedBuilds(const std::string& destination) {
    const std::string folder = folderOf(destination);
    const std::string base = plat::stripDir(destination);
    std::vector<std::string> names;
    if (!plat::readDir(folder, names)) return;
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        if (isBuildLeftover(name, base, ".part")) {
            // Locked: a running start is still filling it.
            const int unused = plat::lockFolder(path, false);
            if (unused < 0) continue;
            plat::deletePath(path);
            plat::unlockFolder(unused);
        } else if (isBuildLeftover(name, base, ".old")) {
            plat::deletePath(path);
        }
    }
}

bool Vostrel_display::cacheComplete(const std::string& source, const std::string& destination) const {
    if (plat::fileType(destination) != plat::FILETYPE_DIR) return false;
    std::vector<std::string> names;
    if (!plat::readDir(source, names)) return true;
    for (const std::string& name : names) {
        const std::string src = source + "/" + name;
        const std::string dst = destination + "/" + name;
        if (plat::fileType(src) == plat::FILETYPE_DIR) {
            if (!cacheComplete(src, dst)) return false;
        } else if (plat::fileType(dst) != plat::FILETYPE_FILE) {
            // Files that are not pictures are never cached: only a picture is missing.
            if (plat::loadPixels(src)) return false;
        }
    }
    return true;
}

bool Vostrel_display::_resizeTree(const std::string& source, const std::string& destination, float scale) {
    if (plat::fileType(destination) != plat::FILETYPE_DIR && !plat::createDir(destination)) {
        plat::printLine("Could not create the " + destination + " folder");
        return false;
    }
    std::vector<std::string> names;
    if (!plat::readDir(source, names)) {
        plat::printLine("Could not open the " + source + " folder");
        return false;
    }
    for (const std::string& name : names) {
        if (name.empty() || name == "." || name == "..") continue;
        const std::string src = source + "/" + name;
        const std::string dst = destination + "/" + name;
        if (plat::fileType(src) == plat::FILETYPE_DIR) {
            if (!_resizeTree(src, dst, scale)) return false;
            continue;
        }
        plat::printLine(src);
        plat::PixelBufferPtr pixels = plat::loadPixels(src);
        if (!pixels) {
            // A stray file (a hidden system file, a text note) must not stop the game.
            plat::printLine(src + " is not an image and was skipped");
            continue;
        }
        // A size truncated to nothing comes back as one pixel.
        plat::PixelBufferPtr sized =
            plat::resizePixels(*pixels, int(float(pixels->width) * scale), int(float(pixels->height) * scale));
        if (!sized) {
            plat::printLine(src + " could not be resized");
            return false;
        }
        // Only a lower-case "png" is saved as PNG; anything else becomes JPEG data.
        const bool saved = plat::extractExt(name) == "png" ? plat::savePNG(*sized, dst, 5)
                                                             : plat::saveJPEG(*sized, dst, 75);
        if (!saved) {
            plat::printLine(dst + " could not be saved");
            return false;
        }
    }
    return true;
}
