// Framed state store: a save is a run of frames, each enclosed in a start sentinel, its
// length and an end sentinel, built in one memory bank and written to a file; a load reads
// such a file back one frame at a time.
//
// Frame layout, integers 32-bit little-endian:
//   0  FE FE FE FE          start sentinel
//   4  L                    length of the body after the 3 header bytes
//   8  header byte          written by the caller
//   9  header short         written by the caller
//  11  body, L bytes
//  11+L AA AA AA AA         end sentinel
#pragma once
#include <memory>
#include <string>

#include "platform/stream.h"
#include "imports/object.h"

class ResourceManager;

class StateManager : public Object {
public:
    static constexpr int _OFFSET_SIZE = 4;
    // Every frame of one save has to fit in the main bank together.
    static constexpr int MAIN_BANK_SIZE = 4095;
    static constexpr uint32_t START_SENTINEL = 0xFEFEFEFEu;
    static constexpr uint32_t END_SENTINEL = 0xAAAAAAAAu;
    // Sentinels, length and header around a body.
    static constexpr int FRAME_OVERHEAD = 15;

    static std::shared_ptr<StateManager> Create(const std::shared_ptr<ResourceManager>& resMan);

    // A stream positioned after the start sentinel and a zero length; the caller writes the
    // header byte, the header short and the body, then hands it to closeFrame.
    plat::StreamPtr createframe();
    // Fills in the length and the end sentinel and appends the frame to the save. Returns -1,
    // leaving the save as it was, for a frame without its header or one that would not fit
    // in the rest of the main bank, or when no save was started. The stream is closed.
    int closeFrame(const plat::StreamPtr& frame);
    int newSave(const std::string& path);
    // Writes the frames saved so far through the platform's safe writer (a temporary file
    // that reaches the disk, renamed into place); -1 (the old file untouched) when there is
    // no save or the file can't be written.
    int closeSave();
    // -1 when the file can't be opened.
    int newLoad(const std::string& path);
    // Reads the frames from a stream the caller opened; -1 for the null stream.
    int newLoad(const plat::StreamPtr& stream);
    int closeLoad();
    // The body of the next frame, exactly its own L bytes. nullptr at the end of the data and
    // for a damaged frame: a sentinel missing, a negative length or one longer than the data
    // left, or data that ends early. Nothing is read outside the frame's own bytes.
    plat::BankPtr getFrame();
    // Writes the whole main bank, used or not, the same way as closeSave.
    int debugSaveBank(const std::string& path);

    std::shared_ptr<ResourceManager> _resMan;
    plat::BankPtr _mainBank;
    int _mainBankOffset = 0;
    std::string _saveFilePath;
    plat::BankPtr _frameBank;
    plat::StreamPtr _readStream;
    plat::StreamPtr _frameStream;

private:
    plat::StreamPtr _openFile(const std::string& path, int mode) const;
    int _writeFile(const std::string& path, size_t count);
};
using StateManagerPtr = std::shared_ptr<StateManager>;
