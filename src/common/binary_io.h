#pragma once
// Little-endian readers and writers for the program's binary files. The reader
// works on bytes already in memory and checks every length against what is left,
// so no count from a file is ever trusted before it is checked.
#include <cstdint>
#include <string>
#include <string_view>

namespace trevane {

class ByteReader {
public:
    explicit ByteReader(std::string_view data) : data_(data) {}

    std::size_t Remaining() const { return data_.size() - pos_; }
    std::size_t Position() const { return pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }

    // Each throws ETruncated when the data ends first.
    std::uint8_t ReadByte();
    std::int32_t ReadInt32();
    std::string_view ReadBytes(std::size_t n);
    // Counted string: 32-bit signed length then that many bytes; a negative length
    // or one longer than the rest of the data throws ETruncated. Bytes as stored.
    std::string ReadCountedBytes();
    // The same, converted from Windows-1252 to UTF-8.
    std::string ReadCountedString();

private:
    // The bytes of a counted string, checked against what remains.
    std::string_view ReadCountedView();

    std::string_view data_;
    std::size_t pos_ = 0;
};

class ByteWriter {
public:
    void WriteByte(std::uint8_t b) { out_ += static_cast<char>(b); }
    void WriteInt32(std::int32_t v);
    void WriteBytes(std::string_view bytes) { out_.append(bytes); }
    // Counted string of raw bytes.
    void WriteCountedBytes(std::string_view bytes);
    // Counted string from UTF-8, stored as Windows-1252.
    void WriteCountedString(std::string_view utf8);

    const std::string& Data() const { return out_; }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

}  // namespace trevane
