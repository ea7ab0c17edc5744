#pragma once
#include <string>
#include <utility>

// The outcome of reading or writing stored data (quote files, chart files, templates, the
// archive, atomic files, INI writes, market lists, favourites): success, or the kind of the
// failure and the system's message text for it. Readers and writers only return it; the
// document and the command-line tool decide whether and how the user is told.
class [[nodiscard]] CFileResult {
public:
    enum class EKind {
        Ok,
        CannotOpen,  // missing, not a regular file, or not readable
        CannotWrite, // folder missing or not writable, disk full, the rename refused
        WrongType,   // readable, but a file of another kind (another header, another layout)
        Damaged,     // of the right kind but refused: empty, cut short, a value out of range
        UnsafeName,  // a name from outside that cannot be part of a path
    };

    // Success.
    CFileResult() = default;
    static CFileResult Failure(EKind kind, std::string message) {
        CFileResult result;
        result.m_kind = kind == EKind::Ok ? EKind::Damaged : kind;
        result.m_message = std::move(message);
        return result;
    }
    // A failure that still delivered what came before the fault (a quote file read up to the
    // line it refused): the caller keeps that part and tells the user.
    static CFileResult Partial(EKind kind, std::string message) {
        CFileResult result = Failure(kind, std::move(message));
        result.m_partial = true;
        return result;
    }

    bool ok() const { return m_kind == EKind::Ok; }
    bool partial() const { return m_partial; }
    explicit operator bool() const { return ok(); }
    EKind kind() const { return m_kind; }
    // Empty on success.
    const std::string& message() const { return m_message; }

private:
    EKind m_kind = EKind::Ok;
    std::string m_message;
    bool m_partial = false;
};
