// The asset registry: fixes the asset folders once, registers every asset under a key,
// loads backgrounds, music and texts by path, and saves and tests files.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/audio.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/stream.h"
#include "vostrel/kz_font.h"
#include "imports/object.h"
#include "vostrel/singleton.h"

class ResourceManager : public Object, public Singleton<ResourceManager> {
public:
    // File-stream modes.
    static constexpr int READ = 0;
    static constexpr int WRITE = 1;
    static constexpr int READWRITE = 2;

    ResourceManager();

    // Both must come before the first GetInstance: the folders are fixed then. With the
    // bundle flag set, the assets are those of the bundle folder's "assets": the folder the
    // start-up names (the game names its executable's), the executable's when none is named.
    static int setMacReleaseCompile(int flag);
    static int setBundleFolder(const std::string& folder);
    std::string getBasePath() const;

    int addImage(const std::string& file, const std::string& key, int midHandle);
    int addSprite(const std::string& file, const std::string& key, int cellWidth, int cellHeight, int count,
                  int midHandle);
    plat::ImagePtr retrieveImage(const std::string& key) const;
    plat::ImagePtr getDirectImage(const std::string& path) const;
    // What getDirectImage would refuse, found cheaply: ends the program with its message when
    // the picture is missing or its header is damaged. Loads nothing.
    int checkDirectImage(const std::string& path) const;

    int addFont(const std::string& file, const std::string& key, int size);
    plat::FontPtr retrieveFont(const std::string& key) const;
    int addImageFont(const std::string& file, const std::string& key, int cellWidth, int cellHeight, int count);
    KZ_fontPtr retrieveImageFont(const std::string& key) const;

    int addSound(const std::string& file, const std::string& key, int loop);
    plat::SoundPtr retrieveSound(const std::string& key) const;
    // nullptr when the sound cannot be loaded; flags 1 = loop.
    plat::SoundPtr getDirectSound(const std::string& path, int flags) const;

    int addText(const std::string& file, const std::string& key);
    std::string retrieveText(const std::string& key) const;

    int textFileExist(const std::string& file) const;
    int folderExist(const std::string& path) const;
    // 0 when written; -1 when not, after printing the reason (the old file stays whole).
    int SaveTextFile(const std::string& text, const std::string& file) const;
    std::string getDirectText(const std::string& path) const;
    // The path is used unchanged; nullptr for an unknown mode or a file that can't be opened.
    plat::StreamPtr newFileStream(const std::string& path, int mode) const;
    int getFileCount(const std::string& folder) const;

    // Prints the message as one line and ends the program.
    [[noreturn]] static void _errorHandling(const std::string& message);

    std::vector<std::string> fontChar;

    static int _macReleaseCompile;
    static std::string _bundleFolder;
    static std::string _appPath;
    static std::string _basePath;
    static std::string _imagePath;
    static std::string _fontPath;
    static std::string _audioPath;
    static std::string _textPath;
    static std::string videoPath;

protected:
    using Asset = std::variant<plat::ImagePtr, plat::FontPtr, KZ_fontPtr, plat::SoundPtr, std::string>;
    std::map<std::string, Asset> _map;

    template <class T>
    T _lookup(const std::string& key) const {
        auto it = _map.find(key);
        if (it == _map.end()) return T();
        const T* v = std::get_if<T>(&it->second);
        return v ? *v : T();
    }
};
using ResourceManagerPtr = std::shared_ptr<ResourceManager>;
