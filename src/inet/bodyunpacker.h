#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

struct z_stream_s;

namespace zel {

// Unpacks a body sent with Content-Encoding gzip or deflate as it arrives,
// so that what it unpacks to is counted against the limit piece by piece and
// never held beyond it. A gzip body may hold several members, one after the
// other; bytes after the end of the packed data are let go unread, as web
// browsers do.
class BodyUnpacker final
{
public:
    enum class Result {
        Ok,
        TooLarge, // it unpacks to more than the room given
        Damaged // not gzip or deflate data
    };

    // True for the encodings this unpacks ("gzip", "x-gzip", "deflate").
    static bool unpacks(QByteArrayView encoding);

    explicit BodyUnpacker(QByteArrayView encoding);
    ~BodyUnpacker();
    Q_DISABLE_COPY_MOVE(BodyUnpacker)

    // Takes the next piece of packed data, for unpack() to unpack.
    void feed(const QByteArray &packed);
    // True while what was fed may unpack to more.
    bool hasMore() const { return m_more; }
    // Appends to `body` the next bit of what the fed data unpack to, 64 KiB
    // at the most. TooLarge when that would be more than `room` bytes; then
    // `body` holds one byte beyond the room.
    Result unpack(QByteArray &body, qint64 room);
    // True once the packed data has ended as it should, or when none came
    // (an empty body).
    bool isComplete() const;

private:
    enum class State {
        Waiting, // for the bytes that tell zlib data from bare deflate
        Unpacking,
        Ended, // a gzip member ended; another may follow
        Trailing // the data ended; what follows is let go
    };

    bool start();
    State afterEnd() const;
    QByteArrayView unread() const;

    bool m_gzip = false;
    std::unique_ptr<z_stream_s> m_stream;
    QByteArray m_packed; // what zlib reads from
    State m_state = State::Waiting;
    bool m_more = false;
};

} // namespace zel
