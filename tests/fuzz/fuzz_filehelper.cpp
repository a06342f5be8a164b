#include "filehelper.h"
#include "fuzzcheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace zel;
using namespace zel::fuzz;

// The input is the content of a file; its first byte sets the size limit to
// one byte under the size, the size, or one byte over it. A file within the
// limit reads as its bytes decode; a larger one is refused by name and leaves
// the text as it was.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Left behind only when a finding aborts the run.
    static const QTemporaryDir dir(QDir::tempPath() +
                                   QStringLiteral("/zel-fuzz-filehelper-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("input"));
    const QByteArray bytes = bytesOf(data, size);
    // A new file each time: ext4 flushes a file truncated and written again.
    QFile file(path);
    file.remove();
    ZEL_FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    const qint64 limit = size == 0 ? 0 : qint64(size) - 1 + data[0] % 3;
    FileHelper helper(limit);
    ZEL_FUZZ_CHECK(helper.SetFile(path).isOk());
    QString text = QStringLiteral("before");
    bool isText = false;
    const Status status = helper.ReadText(text, isText);
    if (qint64(size) > limit) {
        ZEL_FUZZ_CHECK(status.isFailure() &&
                       status.message().contains(QDir::toNativeSeparators(path)));
        ZEL_FUZZ_CHECK(text == u"before");
        return 0;
    }
    ZEL_FUZZ_CHECK(status.isOk());
    const TextDecoder::Result decoded = TextDecoder::decode(bytes);
    ZEL_FUZZ_CHECK(isText == decoded.isText && text == decoded.text);
    return 0;
}
