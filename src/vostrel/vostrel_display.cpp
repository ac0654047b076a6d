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

int Vostrel_display::resizeAssets(const std::string& source, const std::string& destination) {
    if (plat::fileType(source) != plat::FILETYPE_DIR) {
        plat::printLine("Could not open the " + source + " folder");
        return 0;
    }
    const std::string partial = destination + ".part";
    // Left over from an interrupted start: start again from nothing.
    if (plat::fileType(partial) != plat::FILETYPE_NONE) plat::deletePath(partial);
    if (!plat::createDir(partial)) {
        plat::printLine("Could not create the " + partial + " folder");
        return 0;
    }
    if (!_resizeTree(source, partial, ScreenManager::getDrawScale())) {
        plat::deletePath(partial);
        plat::printLine("The image cache " + destination + " could not be built");
        return 0;
    }
    if (plat::fileType(destination) != plat::FILETYPE_NONE) {
        const std::string old = destination + ".old";
        plat::deletePath(old);
        if (!plat::renamePath(destination, old)) {
            plat::deletePath(partial);
            plat::printLine("Could not replace the " + destination + " folder");
            return 0;
        }
        plat::deletePath(old);
    }
    if (!plat::renamePath(partial, destination)) {
        plat::deletePath(partial);
        // Another start that ran at the same time may have put a complete cache there first.
        if (plat::fileType(destination) != plat::FILETYPE_DIR)
            plat::printLine("Could not create the " + destination + " folder");
    }
    return 0;
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
