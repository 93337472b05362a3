#include "common/binary_io.h"

#include <limits>

#include "common/cp1252.h"
#include "common/errors.h"

namespace trevane {

std::uint8_t ByteReader::ReadByte() {
    if (Remaining() < 1) throw ETruncated("unexpected end of data");
    return static_cast<std::uint8_t>(data_[pos_++]);
}

std::int32_t ByteReader::ReadInt32() {
    if (Remaining() < 4) throw ETruncated("unexpected end of data");
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(data_[pos_ + i])) << (8 * i);
    pos_ += 4;
    return static_cast<std::int32_t>(v);
}

std::string_view ByteReader::ReadBytes(std::size_t n) {
    if (Remaining() < n) throw ETruncated("unexpected end of data");
    auto v = data_.substr(pos_, n);
    pos_ += n;
    return v;
}

std::string_view ByteReader::ReadCountedView() {
    const std::int32_t n = ReadInt32();
    if (n < 0 || static_cast<std::size_t>(n) > Remaining()) throw ETruncated("string length out of range");
    return ReadBytes(static_cast<std::size_t>(n));
}

std::string ByteReader::ReadCountedBytes() { return std::string(ReadCountedView()); }

std::string ByteReader::ReadCountedString() { return Cp1252ToUtf8(ReadCountedView()); }

void ByteWriter::WriteInt32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out_ += static_cast<char>((u >> (8 * i)) & 0xFF);
}

void ByteWriter::WriteCountedBytes(std::string_view bytes) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw EQelError("text too long to store");
    WriteInt32(static_cast<std::int32_t>(bytes.size()));
    out_.append(bytes);
}

void ByteWriter::WriteCountedString(std::string_view utf8) { WriteCountedBytes(Utf8ToCp1252(utf8)); }

}  // namespace trevane
