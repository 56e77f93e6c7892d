#pragma once
// Errors as values: a failed step carries a short reason up to the entry
// point, which turns it into the result code and the output text.

#include <string>
#include <utility>

class Status {
public:
    Status() = default;
    static Status Fail(std::string message) { Status s; s.m_failed = true; s.m_message = std::move(message); return s; }

    bool Ok() const { return !m_failed; }
    explicit operator bool() const { return !m_failed; }
    const std::string& Message() const { return m_message; }

private:
    bool m_failed = false;
    std::string m_message;
};

// Returns early from the calling function when expr failed.
#define ZIP_TRY(expr)                          \
    do {                                       \
        Status zipTryStatus_ = (expr);         \
        if (!zipTryStatus_) return zipTryStatus_; \
    } while (0)
