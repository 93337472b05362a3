#include "materials/database.h"

#include <algorithm>

#include "common/binary_io.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace trevane {
namespace {

constexpr std::string_view kMagic = "QEL1";

// The smallest record of any kind (a wood with empty texts): kind byte, common
// body with 10 property bytes, two empty texts and two numbers.
constexpr std::size_t kMinRecordBytes = 1 + (4 + 1 + 4 + 4 + 19 + 4 + 10) + (4 + 4 + 4 + 4);

std::string BadFormat(const std::string& path) { return path + " is not a valid *.mdf data file"; }

}  // namespace

LoadedDatabase ParseDatabase(std::string_view bytes, const std::string& path) {
    LoadedDatabase db;
    try {
        ByteReader in(bytes);
        if (in.ReadInt32() != static_cast<std::int32_t>(kMagic.size())) throw EBadFileFormat(BadFormat(path));
        if (in.ReadBytes(kMagic.size()) != kMagic) throw EBadFileFormat(BadFormat(path));
        db.level = in.ReadByte();
        const std::int32_t count = in.ReadInt32();
        // A count that the remaining bytes cannot hold is damage, found before
        // anything is reserved for it.
        if (count < 0 || static_cast<std::size_t>(count) > in.Remaining() / kMinRecordBytes)
            throw EBadFileFormat(BadFormat(path));
        db.materials.reserve(static_cast<std::size_t>(count));
        for (std::int32_t r = 0; r < count; ++r) {
            // A kind that names no class gives no way to find the next record.
            auto m = CreateForRecordKind(in.ReadByte());
            if (!m) throw EBadFileFormat(BadFormat(path));
            m->LoadFromStream(in);
            db.materials.push_back(std::move(m));
        }
        if (!in.AtEnd()) throw EBadFileFormat(BadFormat(path));
    } catch (const ETruncated&) {
        throw EBadFileFormat(BadFormat(path));
    }
    return db;
}

void LoadDatabase(const std::string& path, TMaterialList& list, std::uint8_t& level) {
    if (!FileExists(path)) throw ENoDBfile(path + " file not found");
    const std::string bytes = ReadWholeFile(path);
    LoadedDatabase db = ParseDatabase(bytes, path);
    // Only a completely parsed file replaces what was loaded before.
    list = std::move(db.materials);
    level = db.level;
}

std::string SerializeDatabase(const TMaterialList& list, std::uint8_t level) {
    ByteWriter out;
    out.WriteCountedBytes(kMagic);
    out.WriteByte(level);
    if (list.size() > static_cast<std::size_t>(INT32_MAX)) throw EQelError("too many materials to store");
    out.WriteInt32(static_cast<std::int32_t>(list.size()));
    for (const auto& m : list) {
        const int kind = m->RecordKind();
        if (kind < 0) throw EQelError("a search template cannot be stored in a database");
        out.WriteByte(static_cast<std::uint8_t>(kind));
        m->SaveToStream(out);
    }
    return out.Take();
}

}  // namespace trevane
