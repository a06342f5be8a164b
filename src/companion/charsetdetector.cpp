#include "charsetdetector.h"

#include <algorithm>
#include <memory>
#include <uchardet/uchardet.h>

namespace zel {

QByteArray CharsetDetector::guess(QByteArrayView bytes)
{
    const std::unique_ptr<uchardet, decltype(&uchardet_delete)> detector(uchardet_new(),
                                                                         &uchardet_delete);
    if (!detector)
        return {};
    const QByteArrayView sample = bytes.first(std::min(bytes.size(), kSampleLength));
    if (uchardet_handle_data(detector.get(), sample.data(), static_cast<size_t>(sample.size())) !=
        0)
        return {};
    uchardet_data_end(detector.get());
    return QByteArray(uchardet_get_charset(detector.get())).toUpper();
}

} // namespace zel
