#include "device/HidReportDescriptor.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace {

// Item types of the short item prefix.
constexpr int kMainItem = 0;
constexpr int kGlobalItem = 1;

// Tags of the items that decide the report lengths.
constexpr int kTagInput = 0x8;
constexpr int kTagOutput = 0x9;
constexpr int kTagFeature = 0xB;
constexpr int kTagReportSize = 0x7;
constexpr int kTagReportID = 0x8;
constexpr int kTagReportCount = 0x9;
constexpr int kTagPush = 0xA;
constexpr int kTagPop = 0xB;

constexpr uint8_t kLongItemPrefix = 0xFE;

// More pushes than any real descriptor uses; deeper ones are ignored so that
// hostile data cannot grow the stack without bound.
constexpr size_t kMaxPushDepth = 64;

// Report bits are summed with saturation: size and count are 32-bit each, so
// their product and sums could overflow. The capabilities hold lengths as
// 16-bit words, so no report is longer than 65535 bytes with its ID byte.
constexpr uint64_t kMaxBits = uint64_t(65534) * 8;

// The global state that Push and Pop keep.
struct TGlobals {
    uint32_t ReportSize = 0;
    uint32_t ReportCount = 0;
    uint32_t ReportID = 0;
};

// Bits of each report, by report ID, of one kind.
using TReportBits = std::map<uint32_t, uint64_t>;

void AddBits(TReportBits &reports, const TGlobals &globals)
{
    const uint64_t bits = std::min(uint64_t(globals.ReportSize) * globals.ReportCount, kMaxBits);
    uint64_t &total = reports[globals.ReportID];
    total = std::min(total + bits, kMaxBits);
}

int LongestReport(const TReportBits &reports)
{
    if (reports.empty())
        return 0;
    uint64_t bits = 0;
    for (const auto &[id, reportBits] : reports)
        bits = std::max(bits, reportBits);
    // One byte for the report ID in front of the data.
    return int((bits + 7) / 8) + 1;
}

} // namespace

THidReportDescriptor::THidReportDescriptor(const QByteArray &descriptor)
{
    const auto *bytes = reinterpret_cast<const uint8_t *>(descriptor.constData());
    const qsizetype size = descriptor.size();
    TGlobals globals;
    std::vector<TGlobals> stack;
    TReportBits input, output, feature;

    qsizetype at = 0;
    while (at < size) {
        const uint8_t prefix = bytes[at];
        if (prefix == kLongItemPrefix) {
            // Long items carry no lengths: skip the prefix, the size and tag
            // bytes and the data.
            if (at + 1 >= size)
                break;
            at += 3 + bytes[at + 1];
            continue;
        }
        static constexpr int kDataSizes[] = {0, 1, 2, 4};
        const int dataSize = kDataSizes[prefix & 3];
        if (at + 1 + dataSize > size)
            break;
        uint32_t value = 0;
        for (int i = 0; i < dataSize; ++i)
            value |= uint32_t(bytes[at + 1 + i]) << (8 * i);
        at += 1 + dataSize;

        const int type = (prefix >> 2) & 3;
        const int tag = prefix >> 4;
        if (type == kMainItem) {
            if (tag == kTagInput)
                AddBits(input, globals);
            else if (tag == kTagOutput)
                AddBits(output, globals);
            else if (tag == kTagFeature)
                AddBits(feature, globals);
        } else if (type == kGlobalItem) {
            switch (tag) {
            case kTagReportSize:
                globals.ReportSize = value;
                break;
            case kTagReportCount:
                globals.ReportCount = value;
                break;
            case kTagReportID:
                globals.ReportID = value;
                FUsesReportIDs = true;
                break;
            case kTagPush:
                if (stack.size() < kMaxPushDepth)
                    stack.push_back(globals);
                break;
            case kTagPop:
                if (!stack.empty()) {
                    globals = stack.back();
                    stack.pop_back();
                }
                break;
            default:
                break;
            }
        }
    }

    FInput = LongestReport(input);
    FOutput = LongestReport(output);
    FFeature = LongestReport(feature);
}
