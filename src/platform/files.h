// Files and folders, and whole text files with their encodings.
#pragma once
#include <string>
#include <vector>

namespace plat {

enum FileType { FILETYPE_NONE = 0, FILETYPE_FILE = 1, FILETYPE_DIR = 2 };
int fileType(const std::string& path);   // follows links: a link to nowhere is FILETYPE_NONE
// True when anything is there by that name, a link that points nowhere included.
bool pathPresent(const std::string& path);
// Entries of a folder except "." and "..", in the file system's order; false if unlistable.
bool readDir(const std::string& path, std::vector<std::string>& names);
bool createDir(const std::string& path);
bool deletePath(const std::string& path);        // a file, or a folder tree
bool renamePath(const std::string& from, const std::string& to);
// A new, empty folder named `prefix` followed by six letters no other folder there has; its
// name, or "" when it cannot be made.
std::string createUniqueDir(const std::string& prefix);
// Advisory locks between processes on a folder (or a file). The system drops a lock when its
// process ends, however it ends, so a lock that can be taken means nobody is using the folder.
// Returns a handle, or -1 when nothing is there or, without `wait`, another process holds it.
// The lock is on the folder found at the path when it is granted: one removed or replaced
// while waiting gives -1.
int lockFolder(const std::string& path, bool wait);
void unlockFolder(int handle);
std::string stripDir(const std::string& path);   // "a/b/c.png" -> "c.png"
std::string extractExt(const std::string& path); // text after the last "." of the name, "" when none
std::string extractDir(const std::string& path); // "a/b/c.png" -> "a/b"
// Folder of the running executable.
std::string appDir();
std::string appFile();   // file name of the running executable

// Reads a whole text file into UTF-8: FE FF = UTF-16 big-endian, FF FE = little-endian,
// EF BB BF = UTF-8, otherwise one byte a character (Latin-1). False when the file can't be
// opened or is damaged (an odd number of UTF-16 bytes).
bool loadText(const std::string& path, std::string& utf8);
// Writes a whole text: one byte a character when every character is below 256, otherwise
// FF FE and UTF-16 little-endian. Written to a temporary file and renamed into place.
// On failure the old file is whole and errno says why (saveBytes too).
bool saveText(const std::string& utf8, const std::string& path);
bool loadBytes(const std::string& path, std::vector<unsigned char>& bytes);
bool saveBytes(const std::vector<unsigned char>& bytes, const std::string& path);

}  // namespace plat
