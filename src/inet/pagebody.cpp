#include "pagebody.h"

#include "bytesniffer.h"

namespace zel {

bool PageBody::append(QByteArrayView bytes)
{
    if (bytes.size() > m_limit - m_size)
        return false;
    while (!bytes.isEmpty()) {
        grow([&bytes](QByteArray &piece, qint64) {
            const qsizetype taken = qMin(bytes.size(), qMax(kStepSize, kPieceSize - piece.size()));
            piece.append(bytes.first(taken));
            bytes = bytes.sliced(taken);
        });
    }
    return true;
}

QByteArrayList PageBody::take()
{
    m_size = 0;
    return std::exchange(m_pieces, {});
}

QByteArray &PageBody::growingPiece()
{
    if (m_pieces.isEmpty())
        m_pieces.append(QByteArray());
    return m_pieces.last();
}

void PageBody::settle(qsizetype kept)
{
    QByteArray &piece = m_pieces.last();
    m_size += piece.size() - kept;
    if (piece.size() < kPieceSize)
        return;
    // Only the bytes just added are looked at, so no byte is looked at twice.
    const char *bytes = piece.constData();
    for (qsizetype end = piece.size(); end > kept; --end) {
        if (ByteSniffer::endsCharacter(bytes[end - 1])) {
            QByteArray rest = piece.sliced(end);
            piece.truncate(end);
            m_pieces.append(std::move(rest));
            return;
        }
    }
}

} // namespace zel
