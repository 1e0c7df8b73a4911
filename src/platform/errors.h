#pragma once
// The project's error classes. Every error the core raises derives from QuillonError.
#include <stdexcept>
#include <string>

namespace quillon {

class QuillonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Untrusted bytes ended before the layout did, or hold an impossible value.
class DecodeError : public QuillonError {
 public:
  using QuillonError::QuillonError;
};

// An object cannot be written as its declared lengths say (overrun, a value too wide).
class EncodeError : public QuillonError {
 public:
  using QuillonError::QuillonError;
};

// A stream or file could not be read or written, or its content is malformed.
class StreamError : public QuillonError {
 public:
  using QuillonError::QuillonError;
};

}  // namespace quillon
