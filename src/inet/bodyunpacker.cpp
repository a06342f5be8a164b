#include "bodyunpacker.h"

#include <zlib.h>

namespace zel {

namespace {

QByteArray normalised(QByteArrayView encoding)
{
    return encoding.trimmed().toByteArray().toLower();
}

// "deflate" should be zlib data, but some servers send bare deflate data.
bool hasZlibHeader(QByteArrayView bytes)
{
    const auto cmf = static_cast<unsigned char>(bytes[0]);
    const auto flg = static_cast<unsigned char>(bytes[1]);
    return (cmf & 0x0F) == Z_DEFLATED && (cmf * 256 + flg) % 31 == 0;
}

constexpr char kGzipMagic[] = "\x1F\x8B";

} // namespace

bool BodyUnpacker::unpacks(QByteArrayView encoding)
{
    const QByteArray name = normalised(encoding);
    return name == "gzip" || name == "x-gzip" || name == "deflate";
}

BodyUnpacker::BodyUnpacker(QByteArrayView encoding)
    : m_gzip(normalised(encoding) != "deflate")
    , m_stream(std::make_unique<z_stream_s>())
{ }

BodyUnpacker::~BodyUnpacker()
{
    if (m_state != State::Waiting)
        inflateEnd(m_stream.get());
}

bool BodyUnpacker::isComplete() const
{
    switch (m_state) {
    case State::Waiting:
        return unread().isEmpty();
    case State::Unpacking:
        return false;
    case State::Ended:
    case State::Trailing:
        return true;
    }
    return false;
}

QByteArrayView BodyUnpacker::unread() const
{
    return { reinterpret_cast<const char *>(m_stream->next_in), qsizetype(m_stream->avail_in) };
}

bool BodyUnpacker::start()
{
    const int windowBits = m_gzip ? MAX_WBITS + 16
        : hasZlibHeader(unread()) ? MAX_WBITS
                                  : -MAX_WBITS;
    if (inflateInit2(m_stream.get(), windowBits) != Z_OK)
        return false;
    m_state = State::Unpacking;
    return true;
}

// After a gzip member another may follow; anything else ends the data.
BodyUnpacker::State BodyUnpacker::afterEnd() const
{
    const QByteArrayView next = unread();
    if (!m_gzip || !QByteArrayView(kGzipMagic).startsWith(next.first(qMin(next.size(), 2))))
        return State::Trailing;
    return next.size() < 2 ? State::Ended : State::Unpacking;
}

void BodyUnpacker::feed(const QByteArray &packed)
{
    // Bytes kept back (the start of a header) go before the new ones.
    m_packed = unread().isEmpty() ? packed : unread().toByteArray().append(packed);
    m_stream->next_in = reinterpret_cast<Bytef *>(const_cast<char *>(m_packed.constData()));
    m_stream->avail_in = uInt(m_packed.size());
    m_more = !m_packed.isEmpty();
}

BodyUnpacker::Result BodyUnpacker::unpack(QByteArray &body, qint64 room)
{
    m_more = false;
    z_stream &stream = *m_stream;
    if (m_state == State::Ended) {
        m_state = afterEnd();
        if (m_state == State::Unpacking && inflateReset(&stream) != Z_OK)
            return Result::Damaged;
    }
    switch (m_state) {
    case State::Trailing:
        stream.avail_in = 0;
        return Result::Ok;
    case State::Ended: // until the next member's header is all here
        return Result::Ok;
    case State::Waiting:
        if (stream.avail_in < 2)
            return Result::Ok;
        if (!start())
            return Result::Damaged;
        break;
    case State::Unpacking:
        break;
    }
    // One byte beyond the room tells that the body would go over it.
    const qsizetype step = qsizetype(qMin<qint64>(64 * 1024, room + 1));
    const qsizetype before = body.size();
    body.resize(before + step);
    stream.next_out = reinterpret_cast<Bytef *>(body.data() + before);
    stream.avail_out = uInt(step);
    const int status = inflate(&stream, Z_NO_FLUSH);
    body.resize(before + step - qsizetype(stream.avail_out));
    if (body.size() - before > room)
        return Result::TooLarge;
    switch (status) {
    case Z_STREAM_END:
        m_state = State::Ended;
        m_more = stream.avail_in > 0;
        return Result::Ok;
    case Z_BUF_ERROR: // nothing more until more is fed
        return Result::Ok;
    case Z_OK:
        // A full buffer may leave more to come even when all was read.
        m_more = stream.avail_out == 0 || stream.avail_in > 0;
        return Result::Ok;
    default:
        return Result::Damaged;
    }
}

} // namespace zel
