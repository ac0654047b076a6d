// The drawing window, and the image cache built from "original" on the first start.
#pragma once
#include <memory>
#include <string>

#include "imports/object.h"

class Vostrel_display : public Object {
public:
    // Opens the window; a window that cannot be opened ends the program with a message.
    static std::shared_ptr<Vostrel_display> Create(int width, int height, int fps, int mode);

    int _initCanvas(int width, int height, int fps, int mode);
    // Builds `destination` as a copy of the `source` tree with every image rescaled by the
    // draw scale. Each start builds in a folder of its own beside the destination and renames
    // it into place only when complete, so an interrupted first start is rebuilt on the next
    // one; when a complete cache appeared there meanwhile (a start at the same time), that
    // one is kept and this build thrown away.
    int resizeAssets(const std::string& source, const std::string& destination);
    // Removes what killed starts left beside `destination`: build folders no running start is
    // filling, and caches put aside.
    void removeAbandonedBuilds(const std::string& destination);
    // True when `destination` is a folder holding, at the same place, every picture of the
    // `source` tree (or when there is no source to compare with). A plain file where the
    // cache should be, or a picture missing from it, means the cache must be built again.
    bool cacheComplete(const std::string& source, const std::string& destination) const;

    int getWidth() const { return _width; }
    int getHeight() const { return _height; }
    int getFps() const { return _fps; }

protected:
    // False when a file could not be written (the partial tree is then thrown away).
    bool _resizeTree(const std::string& source, const std::string& destination, float scale);

    int _width = 0;
    int _height = 0;
    int _fps = 0;
};
using Vostrel_displayPtr = std::shared_ptr<Vostrel_display>;
