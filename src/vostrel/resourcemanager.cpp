#include "vostrel/resourcemanager.h"

#include <cerrno>
#include <cstring>

#include "platform/files.h"
#include "platform/sys.h"

int ResourceManager::_macReleaseCompile = 0;
std::string ResourceManager::_bundleFolder;
std::string ResourceManager::_appPath;
std::string ResourceManager::_basePath;
std::string ResourceManager::_imagePath;
std::string ResourceManager::_fontPath;
std::string ResourceManager::_audioPath;
std::string ResourceManager::_textPath;
std::string ResourceManager::videoPath;

// The folders are fixed by the first registry of a process; tests start each case afresh.
[[maybe_unused]] static const bool foldersForgotten = (SingletonRegistry::onReset([] {
    ResourceManager::_macReleaseCompile = 0;
    for (std::string* s : {&ResourceManager::_bundleFolder, &ResourceManager::_appPath, &ResourceManager::_basePath,
                           &ResourceManager::_imagePath, &ResourceManager::_fontPath, &ResourceManager::_audioPath,
                           &ResourceManager::_textPath, &ResourceManager::videoPath})
        s->clear();
}), true);

ResourceManager::ResourceManager() : fontChar{"A", "B"} {
    // Our stand-in for the bundle's resource folder is the folder the start-up names (the
    // game's own executable's), so a release build never depends on the working directory.
    if (_macReleaseCompile) _appPath = (_bundleFolder.empty() ? plat::appDir() : _bundleFolder) + "/";
    _basePath = _appPath + "assets/";
    _imagePath = _appPath + "assets/images/";
    _fontPath = _appPath + "assets/fonts/";
    _audioPath = _appPath + "assets/audio/";
    _textPath = _appPath + "assets/";
    videoPath = _appPath + "video/";
}

int ResourceManager::setMacReleaseCompile(int flag) {
    _macReleaseCompile = flag;
    return 0;
}

int ResourceManager::setBundleFolder(const std::string& folder) {
    _bundleFolder = folder;
    return 0;
}

std::string ResourceManager::getBasePath() const { return _basePath; }

void ResourceManager::_errorHandling(const std::string& message) { plat::fatal(message); }

int ResourceManager::addImage(const std::string& file, const std::string& key, int midHandle) {
    plat::ImagePtr img = plat::Image::load(_imagePath + file);
    if (!img) _errorHandling("Image " + file + " could not be found or is damaged");
    if (midHandle) img->midHandle();
    _map[key] = img;
    return 0;
}

int ResourceManager::addSprite(const std::string& file, const std::string& key, int cellWidth, int cellHeight,
                               int count, int midHandle) {
    plat::ImagePtr img = plat::Image::load(_imagePath + file, cellWidth, cellHeight, 0, count);
    if (!img) _errorHandling("Image " + file + " could not be found or is damaged");
    if (midHandle) img->midHandle();
    _map[key] = img;
    return 0;
}

plat::ImagePtr ResourceManager::retrieveImage(const std::string& key) const { return _lookup<plat::ImagePtr>(key); }

plat::ImagePtr ResourceManager::getDirectImage(const std::string& path) const {
    plat::ImagePtr img = plat::Image::load(_basePath + path);
    if (!img) _errorHandling("Direct Image " + _basePath + path + " could not be found or is damaged");
    return img;
}

int ResourceManager::checkDirectImage(const std::string& path) const {
    int width = 0, height = 0;
    if (!plat::readImageHeader(_basePath + path, width, height))
        _errorHandling("Direct Image " + _basePath + path + " could not be found or is damaged");
    return 0;
}

int ResourceManager::addFont(const std::string& file, const std::string& key, int size) {
    plat::FontPtr font = plat::Font::load(_fontPath + file, size);
    if (!font) _errorHandling("Font " + file + " could not be found or is damaged");
    _map[key] = font;
    return 0;
}

plat::FontPtr ResourceManager::retrieveFont(const std::string& key) const { return _lookup<plat::FontPtr>(key); }

int ResourceManager::addImageFont(const std::string& file, const std::string& key, int cellWidth, int cellHeight,
                                  int count) {
    // Nothing draws the glyph sheet, so a missing strip is not worth stopping the game for.
    plat::ImagePtr strip = plat::Image::load(_fontPath + file, cellWidth, cellHeight, 0, count);
    _map[key] = KZ_font::Load(strip, fontChar);
    return 0;
}

KZ_fontPtr ResourceManager::retrieveImageFont(const std::string& key) const { return _lookup<KZ_fontPtr>(key); }

int ResourceManager::addSound(const std::string& file, const std::string& key, int loop) {
    plat::SoundPtr snd = plat::loadSound(_audioPath + file, loop != 0);
    if (!snd) _errorHandling("Audio " + file + " could not be found or is damaged");
    _map[key] = snd;
    return 0;
}

plat::SoundPtr ResourceManager::retrieveSound(const std::string& key) const { return _lookup<plat::SoundPtr>(key); }

plat::SoundPtr ResourceManager::getDirectSound(const std::string& path, int flags) const {
    return plat::loadSound(_basePath + path, (flags & 1) != 0);
}

int ResourceManager::addText(const std::string& file, const std::string& key) {
    std::string text;
    if (!plat::loadText(_textPath + file, text) || text.empty())
        _errorHandling("String " + file + " could not be found or is damaged");
    _map[key] = text;
    return 0;
}

std::string ResourceManager::retrieveText(const std::string& key) const { return _lookup<std::string>(key); }

int ResourceManager::textFileExist(const std::string& file) const {
    return plat::fileType(_textPath + file) != plat::FILETYPE_NONE ? 1 : 0;
}

int ResourceManager::folderExist(const std::string& path) const {
    return plat::fileType(_basePath + path) != plat::FILETYPE_NONE ? 1 : 0;
}

int ResourceManager::SaveTextFile(const std::string& text, const std::string& file) const {
    // The platform writer goes through a temporary file and a rename, so a failed or
    // interrupted save leaves the previous file whole. A file that cannot be written is not
    // worth ending a game under way for: say so and why, and let the caller go on.
    if (plat::saveText(text, _textPath + file)) return 0;
    plat::printLine("String " + file + " could not be be saved: " + std::strerror(errno));
    return -1;
}

std::string ResourceManager::getDirectText(const std::string& path) const {
    std::string text;
    if (!plat::loadText(_basePath + path, text)) _errorHandling("Could not read the file " + _basePath + path);
    return text;
}

plat::StreamPtr ResourceManager::newFileStream(const std::string& path, int mode) const {
    if (mode != READ && mode != WRITE && mode != READWRITE) return nullptr;
    return plat::openFileStream(path, mode);
}

int ResourceManager::getFileCount(const std::string& folder) const {
    std::vector<std::string> names;
    if (!plat::readDir(_basePath + folder, names)) _errorHandling("Could not open the " + _basePath + folder + " folder");
    int count = 0;
    for (const auto& n : names)
        if (n != "." && n != "..") ++count;
    return count;
}
