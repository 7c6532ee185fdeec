#include "Timing.h"

#include <cstdio>
#include <memory>

#include "History.h"

namespace orlan {

TimingSample timingSample(const MachineState& s) {
    return {s.lamps, s.addrBuf, s.dataBuf, s.cycleNum, s.timeNum};
}

std::vector<TimingSample> timingSamples(const History* history, const MachineState& current,
                                        size_t tacts) {
    if (tacts > kTimingMaxTacts) tacts = kTimingMaxTacts;
    if (tacts == 0) return {};
    size_t older = history ? history->size() : 0;
    if (older > tacts - 1) older = tacts - 1;
    std::vector<TimingSample> samples;
    samples.reserve(older + 1);
    // Only the small part of the scratch state is ever read: memory stays as constructed.
    auto scratch = std::make_unique<MachineState>();
    // The state after tact k is the state before tact k + 1: records `older` .. 1 back.
    for (size_t back = older; back >= 1; --back) {
        history->stateBefore(back, *scratch);
        samples.push_back(timingSample(*scratch));
    }
    samples.push_back(timingSample(current));
    return samples;
}

namespace {

std::string hex(unsigned value, int digits) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%0*X", digits, value);
    return buf;
}

std::string num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

// One bus as bands: equal neighbouring values share a band, the value written inside if it fits.
void busRow(std::string& out, const std::vector<TimingSample>& samples, int row, bool address) {
    using namespace timing;
    const double top = kTop + row * kRowHeight + 3, bottom = top + kRowHeight - 6,
                 middle = (top + bottom) / 2;
    const int digits = address ? 4 : 2;
    size_t from = 0;
    while (from < samples.size()) {
        const unsigned value = address ? samples[from].address : samples[from].data;
        size_t to = from + 1;
        while (to < samples.size() && (address ? samples[to].address : samples[to].data) == value)
            ++to;
        const double x0 = kLabelWidth + from * kTactWidth, x1 = kLabelWidth + to * kTactWidth;
        const double e = 3;
        out += "<polygon class=\"bus\" points=\"" + num(x0) + ',' + num(middle) + ' ' + num(x0 + e) +
               ',' + num(top) + ' ' + num(x1 - e) + ',' + num(top) + ' ' + num(x1) + ',' +
               num(middle) + ' ' + num(x1 - e) + ',' + num(bottom) + ' ' + num(x0 + e) + ',' +
               num(bottom) + "\"/>\n";
        if (x1 - x0 >= digits * 7 + 4)
            out += "<text class=\"val\" x=\"" + num((x0 + x1) / 2) + "\" y=\"" + num(middle + 4) +
                   "\">" + hex(value, digits) + "</text>\n";
        from = to;
    }
}

}  // namespace

std::string timingSvg(const std::vector<TimingSample>& samples) {
    using namespace timing;
    const int width = kLabelWidth + static_cast<int>(samples.size()) * kTactWidth + 8;
    const int height = kTop + kRowCount * kRowHeight + 8;
    std::string out;
    out.reserve(64 * 1024);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
           "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) +
           ' ' + std::to_string(height) + "\">\n";
    out += "<title>ОРЛАН - Временная диаграмма</title>\n";
    out += "<style>text{font-family:monospace;font-size:11px;fill:#000}"
           ".val{text-anchor:middle}.num{text-anchor:middle;font-size:10px}"
           ".trace{fill:none;stroke:#006000;stroke-width:1.5}"
           ".bus{fill:#fff8c0;stroke:#806000;stroke-width:1}"
           ".grid{stroke:#d8d8d8;stroke-width:1}"
           ".now{fill:#ffd0d0}</style>\n";
    out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    if (!samples.empty()) {
        const double x = kLabelWidth + (samples.size() - 1) * kTactWidth;
        out += "<rect class=\"now\" x=\"" + num(x) + "\" y=\"" + std::to_string(kTop) +
               "\" width=\"" + std::to_string(kTactWidth) + "\" height=\"" +
               std::to_string(kRowCount * kRowHeight) + "\"><title>текущий такт</title></rect>\n";
    }
    for (size_t i = 0; i <= samples.size(); ++i) {
        const double x = kLabelWidth + i * kTactWidth;
        out += "<line class=\"grid\" x1=\"" + num(x) + "\" y1=\"" + std::to_string(kTop) +
               "\" x2=\"" + num(x) + "\" y2=\"" + std::to_string(kTop + kRowCount * kRowHeight) +
               "\"/>\n";
    }
    auto label = [&](int row, std::string_view name) {
        out += "<text x=\"4\" y=\"" + std::to_string(kTop + row * kRowHeight + kRowHeight / 2 + 4) +
               "\">" + std::string(name) + "</text>\n";
    };
    for (int row = 0; row < kLampCount; ++row) {
        const Lamp l = kTimingLampOrder[row];
        label(row, lampName(l));
        const double high = kTop + row * kRowHeight + 4, low = kTop + (row + 1) * kRowHeight - 4;
        std::string points;
        for (size_t i = 0; i < samples.size(); ++i) {
            const double y = samples[i].lamp(l) ? high : low;
            points += num(kLabelWidth + i * kTactWidth) + ',' + num(y) + ' ' +
                      num(kLabelWidth + (i + 1) * kTactWidth) + ',' + num(y) + ' ';
        }
        if (!points.empty()) {
            points.pop_back();
            out += "<polyline class=\"trace\" points=\"" + points + "\"/>\n";
        }
    }
    label(kAddressRow, "A15-0");
    busRow(out, samples, kAddressRow, true);
    label(kDataRow, "D7-0");
    busRow(out, samples, kDataRow, false);
    label(kCycleRow, "M");
    label(kTactRow, "T");
    for (size_t i = 0; i < samples.size(); ++i) {
        const double x = kLabelWidth + (i + 0.5) * kTactWidth;
        out += "<text class=\"num\" x=\"" + num(x) + "\" y=\"" +
               std::to_string(kTop + kCycleRow * kRowHeight + kRowHeight / 2 + 4) + "\">" +
               std::to_string(samples[i].cycle) + "</text>\n";
        out += "<text class=\"num\" x=\"" + num(x) + "\" y=\"" +
               std::to_string(kTop + kTactRow * kRowHeight + kRowHeight / 2 + 4) + "\">" +
               std::to_string(samples[i].tact) + "</text>\n";
    }
    out += "</svg>\n";
    return out;
}

}  // namespace orlan
