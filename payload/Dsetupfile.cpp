#include "Dsetupfile.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// One 4-byte write per word is the format's rule; these make each one cheap. The
// stream is ours alone, so no lock is needed around it.
#if defined(_WIN32) && !defined(_UCRT)
// The same move on the stream's buffer that msvcrt's own putc macro makes, four bytes at a
// time; the CRT's fwrite takes over whenever the buffer is full or not yet made.
size_t WriteUnlocked(const void* data, size_t size, FILE* f) {
    if (f->_cnt >= int(size)) {
        std::memcpy(f->_ptr, data, size);
        f->_ptr += size;
        f->_cnt -= int(size);
        return size;
    }
    return std::fwrite(data, 1, size, f);
}
#elif defined(_WIN32)
size_t WriteUnlocked(const void* data, size_t size, FILE* f) { return _fwrite_nolock(data, 1, size, f); }
#else
size_t WriteUnlocked(const void* data, size_t size, FILE* f) { return fwrite_unlocked(data, 1, size, f); }
#endif

// Windows refuses to open a read-only file for writing; Wine run as root does not, so the
// attribute is honoured here too and a test machine behaves as a user's would.
bool IsReadOnly(const char* name) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
#else
    (void)name;
    return false;
#endif
}

class OutputStream {
public:
    // The stream's own buffer, made larger than the CRT's 4 KiB so that the system
    // sees writes about as large as a bulk write would make.
    static constexpr size_t kBufferSize = 64 * 1024;

    explicit OutputStream(const char* name) : file_(std::fopen(name, "wb")) {
        if (file_) std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
    }
    ~OutputStream() { Close(); }
    OutputStream(const OutputStream&) = delete;
    OutputStream& operator=(const OutputStream&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    bool Write(const void* data, size_t size) { return WriteUnlocked(data, size, file_) == size; }
    // Flushes what is buffered; a full disk often shows only here.
    bool Close() {
        if (!file_) return true;
        const bool ok = std::fclose(file_) == 0;
        file_ = nullptr;
        return ok;
    }

private:
    FILE* file_;
};

}  // namespace

DSetupFile::DSetupFile(uint32_t wordCount, uint16_t tailLength, const uint32_t* words, const uint8_t* tailBytes)
    : WordCount(wordCount), TailLength(tailLength), Words(words), TailBytes(tailBytes) {}

bool DSetupFile::WriteToFile(const char* name) const {
    if (IsReadOnly(name)) return false;
    OutputStream out(name);
    if (!out.IsOpen()) return false;
    for (uint32_t i = 0; i < WordCount; ++i) {
        const uint32_t w = Words[i];
        // Least significant byte first whatever the host's byte order; on x86 this is one store.
        const uint8_t bytes[4] = {uint8_t(w), uint8_t(w >> 8), uint8_t(w >> 16), uint8_t(w >> 24)};
        if (!out.Write(bytes, 4)) return false;
    }
    for (uint16_t j = 0; j < TailLength; ++j)
        if (!out.Write(&TailBytes[j], 1)) return false;
    return out.Close();
}
