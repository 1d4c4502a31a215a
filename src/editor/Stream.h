#pragma once
// Seekable byte streams that every record is written to and read from: a
// growable memory buffer and a file. Reading past the end raises EReadError
// and leaves the position where it was.

#include "ZaroErrors.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zaro {

class EStreamError : public EZaroError {
public:
    using EZaroError::EZaroError;
};

class EReadError : public EStreamError {
public:
    EReadError() : EStreamError("Stream read error") {}
};

class EWriteError : public EStreamError {
public:
    EWriteError() : EStreamError("Stream write error") {}
};

class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    // Reads exactly `count` bytes or raises EReadError without moving.
    virtual void Read(void* buffer, std::size_t count) = 0;
    // Writes all `count` bytes or raises EWriteError.
    virtual void Write(const void* buffer, std::size_t count) = 0;

    virtual std::int64_t Position() const = 0;
    // A negative position raises EStreamError; a position behind the end is
    // allowed and a later write fills the gap with zeros.
    virtual void SetPosition(std::int64_t position) = 0;
    virtual std::int64_t Size() const = 0;

    // Bytes between the position and the end (0 when behind the end).
    std::int64_t Remaining() const;

    // Copies exactly `count` bytes from the source's position to this stream's
    // position; raises EReadError before copying anything when the source
    // holds fewer. A count of 0 copies nothing.
    void CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : Data(std::move(bytes)) {}

    void Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::int64_t Position() const override { return Pos; }
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(Data.size()); }

    const std::vector<std::uint8_t>& Bytes() const { return Data; }
    // Replaces the contents and rewinds.
    void SetBytes(std::vector<std::uint8_t> bytes);
    void Clear() { SetBytes({}); }

private:
    std::vector<std::uint8_t> Data;
    std::int64_t Pos = 0;
};

enum class TFileMode { fmCreate, fmOpenRead, fmOpenReadWrite };

// A file on disk, read and written without buffering so that every write
// error surfaces at the call that caused it.
class TFileStream : public TStream {
public:
    // fmCreate creates or truncates; the open modes need an existing file.
    // Failures raise EFCreateError or EFOpenError naming the file.
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;

    void Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::int64_t Position() const override { return Pos; }
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override;

    const std::string& FileName() const { return Name; }

private:
    std::string Name;
    int Handle = -1;
    std::int64_t Pos = 0;
};

} // namespace zaro
