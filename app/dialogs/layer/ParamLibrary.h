// The parameter library "Param.lib" in the program folder: named sets of layer parameters kept as text
// (UTF-8, CR LF, numbers in C notation whatever the locale), saved from the layer being edited and
// loaded into a layer of the same kind. The file is read once into the item store when the library
// opens, and every save or delete writes the whole store back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class CCadLayer;
class CLoaderHolder;

// Param.lib in the program folder.
std::filesystem::path GetParamLibPath();

class ParamLibrary {
  public:
    enum class Opened {
        Empty,      // no file yet: the first save creates it
        Loaded,     // the file's sets are listed
        Unreadable  // the file could not be read; it is kept, so nothing may be written over it
    };
    enum class Written {
        Done,
        RefusedName,  // a name the file cannot carry back
        TooLarge,     // the file would grow past what the next opening reads
        Locked,       // the file could not be read at opening and is kept as it is
        Failed        // the file could not be written; the store keeps the change
    };
    enum class Kind { Vector = 0, Bitmap = 1 };

    ParamLibrary(CLoaderHolder& store, std::filesystem::path file);

    // Empties the store and reads the file into it. A file that is not valid UTF-8 is taken as GBK.
    Opened Open();
    bool Writable() const { return writable_; }
    std::vector<std::string> Names() const;
    // The listed name that equals `name` ignoring letter case, if any: a save under such a name replaces
    // that set under its own spelling.
    std::optional<std::string> ListedSpelling(const std::string& name) const;

    // Stores the edit copy of the layer as a set and writes the file.
    Written Save(const std::string& name, const std::string& note, const CCadLayer& layer);
    Written Delete(const std::string& name);

    // The kind a set was saved from: "Bmp" in any letter case is a bitmap set, anything else a vector set.
    Kind KindOf(const std::string& name) const;
    // Reads the set into the edit copy of a layer of its kind; false, and the layer unchanged, for a
    // layer of the other kind. Every value passes the entry rule of its field, so that a damaged file
    // cannot bring a speed of 0 or a power of 250 % into a job.
    bool Load(const std::string& name, CCadLayer& layer) const;

    // The text of a key of a set, "" when missing.
    std::string Value(const std::string& name, const std::string& key) const;

    // Names carried back whole by the file: not empty, no square brackets, no line break, and a header
    // line short enough for the reader.
    static bool AcceptableName(const std::string& name);
    // A note as the file can carry it: no line breaks and no square brackets, shortened (at a whole
    // character) to what one line of the file holds.
    static std::string CleanNote(const std::string& note);

  private:
    Written WriteFile();

    CLoaderHolder& store_;
    std::filesystem::path file_;
    bool writable_ = true;
};
