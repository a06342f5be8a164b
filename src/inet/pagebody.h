#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QScopeGuard>

#include <tuple>
#include <utility>

namespace zel {

// The body of a page as it arrives, held to a limit. It is kept in pieces of
// about kPieceSize bytes, each cut after a byte that ends a character (see
// ByteSniffer::endsCharacter), so that it can be let go piece by piece as it
// is decoded (see TextDecoder).
class PageBody final
{
public:
    static constexpr qsizetype kPieceSize = 4 * 1024 * 1024;
    // What append() adds at a time to a full piece it could not cut.
    static constexpr qsizetype kStepSize = 64 * 1024;

    explicit PageBody(qint64 limit)
        : m_limit(limit)
    { }

    qint64 size() const { return m_size; }
    // Appends `bytes`; false, with nothing appended, when they would take the
    // body over the limit.
    [[nodiscard]] bool append(QByteArrayView bytes);
    // Calls `fill(piece, room)` to add to the last piece in place, `room`
    // being what the limit leaves, and returns what it returns. It may add
    // more than `room` to tell that the body is too large.
    template<typename Fill> auto grow(Fill &&fill)
    {
        QByteArray &piece = growingPiece();
        const auto settled = qScopeGuard([this, kept = piece.size()] { settle(kept); });
        return std::forward<Fill>(fill)(piece, m_limit - m_size);
    }
    // The pieces; the body is left empty.
    QByteArrayList take();
    void clear() { std::ignore = take(); }

private:
    QByteArray &growingPiece();
    // Counts what was added after the first `kept` bytes of the last piece,
    // and starts a new piece when it is big enough.
    void settle(qsizetype kept);

    qint64 m_limit = 0;
    qint64 m_size = 0;
    QByteArrayList m_pieces;
};

} // namespace zel
