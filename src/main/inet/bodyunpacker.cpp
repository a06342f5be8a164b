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
    if (bytes.size() < 2)
        return false;
    const auto cmf = static_cast<unsigned char>(bytes[0]);
    const auto flg = static_cast<unsigned char>(bytes[1]);
    return (cmf & 0x0F) == Z_DEFLATED && (cmf * 256 + flg) % 31 == 0;
}

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
    if (m_started)
        inflateEnd(m_stream.get());
}

bool BodyUnpacker::start()
{
    const int windowBits = m_gzip ? MAX_WBITS + 16
        : hasZlibHeader(m_packed) ? MAX_WBITS
                                  : -MAX_WBITS;
    m_started = inflateInit2(m_stream.get(), windowBits) == Z_OK;
    return m_started;
}

void BodyUnpacker::feed(const QByteArray &packed)
{
    m_packed = packed;
    m_stream->next_in = reinterpret_cast<Bytef *>(const_cast<char *>(m_packed.constData()));
    m_stream->avail_in = uInt(m_packed.size());
    m_more = !m_packed.isEmpty();
}

BodyUnpacker::Result BodyUnpacker::unpack(QByteArray &body, qint64 room)
{
    m_more = false;
    z_stream &stream = *m_stream;
    if (m_ended) // and data after the end
        return stream.avail_in > 0 ? Result::Damaged : Result::Ok;
    if (!m_started && !start())
        return Result::Damaged;
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
        m_ended = true;
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
