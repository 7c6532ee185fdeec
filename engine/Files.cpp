#include "Files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "SafeFile.h"

namespace orlan {

namespace fs = std::filesystem;

namespace {

constexpr size_t kRegistersAt = 65536;

// Checks existence and size before anything is read; a folder counts as "not found".
FileError openForReading(const std::string& path, uintmax_t& size) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::exists(st) || fs::is_directory(st)) return FileError::NotFound;
    size = fs::file_size(path, ec);
    if (ec) return FileError::CannotRead;
    return FileError::None;
}

FileError readAll(const std::string& path, uintmax_t size, std::vector<uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return FileError::CannotRead;
    std::vector<uint8_t> buffer(static_cast<size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(size)))
        return FileError::CannotRead;
    // The file may have grown since its size was taken: what was read must be all there is.
    if (in.peek() != std::char_traits<char>::eof()) return FileError::CannotRead;
    out = std::move(buffer);
    return FileError::None;
}

}  // namespace

FileError readStateFile(const std::string& path, std::vector<uint8_t>& image) {
    uintmax_t size = 0;
    if (FileError e = openForReading(path, size); e != FileError::None) return e;
    if (size != kStateFileSize) return FileError::WrongSize;
    std::vector<uint8_t> bytes;
    if (FileError e = readAll(path, size, bytes); e != FileError::None) return e;
    if (bytes.size() != kStateFileSize) return FileError::WrongSize;
    image = std::move(bytes);
    return FileError::None;
}

std::vector<uint8_t> stateImage(const Machine& m) {
    std::vector<uint8_t> image(m.s.memory.begin(), m.s.memory.end());
    for (Reg r : {A, B, C, D, E, H, L}) image.push_back(m.s.reg[r]);
    image.push_back(m.s.w);
    image.push_back(m.s.z);
    for (uint16_t word : {m.s.pc, m.s.sp}) {
        image.push_back(static_cast<uint8_t>(word & 0xFF));
        image.push_back(static_cast<uint8_t>(word >> 8));
    }
    return image;
}

void applyStateMemory(const std::vector<uint8_t>& image, Machine& m, uint32_t firstCell, uint32_t lastCell) {
    for (uint32_t i = firstCell; i <= lastCell && i < kRegistersAt; ++i)
        m.writeMemory(static_cast<uint16_t>(i), image[i]);
}

void applyStateRegisters(const std::vector<uint8_t>& image, Machine& m) {
    const uint8_t* r = image.data() + kRegistersAt;
    m.s.reg[A] = r[0];
    m.s.reg[B] = r[1];
    m.s.reg[C] = r[2];
    m.s.reg[D] = r[3];
    m.s.reg[E] = r[4];
    m.s.reg[H] = r[5];
    m.s.reg[L] = r[6];
    m.s.w = r[7];
    m.s.z = r[8];
    m.setPC(static_cast<uint32_t>(r[9] | r[10] << 8));
    m.setSP(r[11] | r[12] << 8);
}

FileError loadStateFile(const std::string& path, Machine& m) {
    std::vector<uint8_t> image;
    if (FileError e = readStateFile(path, image); e != FileError::None) return e;
    applyStateMemory(image, m);
    applyStateRegisters(image, m);
    return FileError::None;
}

FileError saveStateFile(const std::string& path, const Machine& m) {
    return writeFileReplacing(path, stateImage(m));
}

FileError readSubprogram(const std::string& path, uint16_t start, std::vector<uint8_t>& bytes) {
    uintmax_t size = 0;
    if (FileError e = openForReading(path, size); e != FileError::None) return e;
    if (size > 0x10000u - start) return FileError::TooLarge;
    std::vector<uint8_t> read;
    if (FileError e = readAll(path, size, read); e != FileError::None) return e;
    bytes = std::move(read);
    return FileError::None;
}

void applySubprogram(const std::vector<uint8_t>& bytes, uint16_t start, Machine& m) {
    for (size_t k = 0; k < bytes.size(); ++k) m.writeMemory(static_cast<uint16_t>(start + k), bytes[k]);
}

FileError loadSubprogram(const std::string& path, uint16_t start, Machine& m) {
    std::vector<uint8_t> bytes;
    if (FileError e = readSubprogram(path, start, bytes); e != FileError::None) return e;
    applySubprogram(bytes, start, m);
    return FileError::None;
}

FileError saveSubprogram(const std::string& path, const Machine& m, uint16_t from, uint16_t to) {
    if (to < from) return FileError::BadRange;
    const auto range = std::span<const uint8_t>(m.s.memory).subspan(from, to - from + 1u);
    return writeFileReplacing(path, range);
}

FileError writeFileReplacing(const std::string& path, std::span<const uint8_t> bytes) {
    switch (writeFileSafely(path, bytes).error) {
        case SaveError::None:
            return FileError::None;
        case SaveError::NoSpace:
            return FileError::NoSpace;
        default:
            return FileError::CannotWrite;
    }
}

MessageId writeFailureMessage(FileError error) {
    return error == FileError::NoSpace ? MessageId::DiskFull : MessageId::CannotWriteFile;
}

}  // namespace orlan
