#pragma once

#include <QString>

#include <utility>

namespace zel {

// The result of every operation that can fail. Callers pass a status that is
// not ok straight up to their own caller; only the top of an event handler
// decides whether to show it.
class [[nodiscard]] Status final
{
public:
    enum class Kind {
        Ok,
        Failure,
        // A running step loop has taken the call over: not an error, but the
        // caller must stop as it would on a failure, and nobody reports it.
        TakenOver,
    };

    Status() = default;

    static Status ok() { return {}; }
    static Status failure(QString message) { return Status(Kind::Failure, std::move(message)); }
    static Status takenOver() { return Status(Kind::TakenOver, {}); }

    bool isOk() const { return m_kind == Kind::Ok; }
    bool isFailure() const { return m_kind == Kind::Failure; }
    bool isTakenOver() const { return m_kind == Kind::TakenOver; }
    const QString &message() const { return m_message; }

private:
    Status(Kind kind, QString message)
        : m_kind(kind)
        , m_message(std::move(message))
    { }

    Kind m_kind = Kind::Ok;
    QString m_message;
};

} // namespace zel

// Ends the calling function with the status of `expr` unless it is ok.
#define ZEL_TRY(expr)                                                                              \
    do {                                                                                           \
        if (::zel::Status zelTryStatus_ = (expr); !zelTryStatus_.isOk())                           \
            return zelTryStatus_;                                                                  \
    } while (false)
