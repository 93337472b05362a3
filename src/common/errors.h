#pragma once
// Error kinds of the program. Every failure of a file or of the pupil's input is
// raised as one of these, carrying the message that the command shows.
#include <stdexcept>
#include <string>

namespace trevane {

// The program's general error kind.
class EQelError : public std::runtime_error {
public:
    explicit EQelError(const std::string& message) : std::runtime_error(message) {}
};

// A file is not in the format it claims (damaged, truncated, wrong tag).
class EBadFileFormat : public EQelError {
public:
    using EQelError::EQelError;
};

// A database or project file does not exist.
class ENoDBfile : public EQelError {
public:
    using EQelError::EQelError;
};

// A size typed for costing is zero or empty.
class EZeroDimension : public EQelError {
public:
    using EQelError::EQelError;
};

// Reading or writing a file failed in the operating system (message from it).
class EFileError : public EQelError {
public:
    using EQelError::EQelError;
};

// A binary reader ran out of bytes or met a count it cannot trust. Readers turn
// this into EBadFileFormat with their own message.
class ETruncated : public EQelError {
public:
    using EQelError::EQelError;
};

}  // namespace trevane
