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

bool BodyUnpacker::start(QByteArrayView firstBytes)
{
    const int windowBits = m_gzip   ? MAX_WBITS + 16
        : hasZlibHeader(firstBytes) ? MAX_WBITS
                                    : -MAX_WBITS;
    m_started = inflateInit2(m_stream.get(), windowBits) == Z_OK;
    return m_started;
}

BodyUnpacker::Result BodyUnpacker::unpack(QByteArrayView packed, QByteArray &body, qint64 maxSize)
{
    if (packed.isEmpty())
        return Result::Ok;
    if (m_ended)
        return Result::Damaged;
    if (!m_started && !start(packed))
        return Result::Damaged;

    z_stream &stream = *m_stream;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.data()));
    stream.avail_in = uInt(packed.size());
    constexpr qsizetype kStep = 64 * 1024;
    while (stream.avail_in > 0 && !m_ended) {
        // One byte beyond the room tells that the body would go over it.
        const qsizetype room = qsizetype(qMin<qint64>(kStep, maxSize - body.size() + 1));
        const qsizetype before = body.size();
        body.resize(before + room);
        stream.next_out = reinterpret_cast<Bytef *>(body.data() + before);
        stream.avail_out = uInt(room);
        const int status = inflate(&stream, Z_NO_FLUSH);
        body.resize(before + room - qsizetype(stream.avail_out));
        if (body.size() > maxSize)
            return Result::TooLarge;
        if (status == Z_STREAM_END)
            m_ended = true;
        else if (status != Z_OK)
            return Result::Damaged;
    }
    return stream.avail_in > 0 ? Result::Damaged : Result::Ok;
}

} // namespace zel
