// The page text of a data server's reply: the one-pass reader against the
// HTML library's parse-and-walk, on ordinary pages and on the hostile shapes
// that made the library's parse quadratic. The reader must stay linear: an
// 8 MB reply of any shape well under a second.
#include "io/pages/page_text.h"
#include "oracle/page_text_libxml.h"
#include "ratio_reporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

constexpr std::size_t kCap = 8u << 20;

std::string repeated(const std::string& head, const std::string& unit, const std::string& tail,
                     std::size_t size) {
    std::string s = head;
    while (s.size() + unit.size() + tail.size() <= size)
        s += unit;
    return s + tail;
}

// The shapes of a reply, each of about `size` bytes.
const std::map<std::string, std::function<std::string(std::size_t)>>& shapes() {
    static const std::map<std::string, std::function<std::string(std::size_t)>> s = {
        {"table",
         [](std::size_t n) {
             return repeated("<html><body><table>",
                             "<tr><td>Спартак - Зенит</td><td>2,45</td></tr>",
                             "</table></body></html>", n);
         }},
        {"attributes", [](std::size_t n) { return repeated("<p><div", " a=1", ">x</div>", n); }},
        {"entities", [](std::size_t n) { return repeated("<p>", "&amp;&#1057;", "</p>", n); }},
        {"unclosed", [](std::size_t n) { return repeated("<p>", "<b>", "", n); }},
        {"bad_references", [](std::size_t n) { return repeated("<p>", "&#", "", n); }},
        {"instructions", [](std::size_t n) { return repeated("<p>", "<?", "", n); }},
    };
    return s;
}

void BM_Reader(benchmark::State& state, const std::string& shape, std::size_t size) {
    const std::string page = shapes().at(shape)(size);
    for (auto _ : state)
        benchmark::DoNotOptimize(kav::io::htmlPageText(page, "utf-8"));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}

void BM_Library(benchmark::State& state, const std::string& shape, std::size_t size) {
    const std::string page = shapes().at(shape)(size);
    for (auto _ : state)
        benchmark::DoNotOptimize(kav::oracle::libxmlPageText(page));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}

} // namespace

int main(int argc, char** argv) {
    // The library's parse is quadratic on many attributes: it is measured on
    // a reply a tenth of the cap, and already loses there.
    for (const auto& [shape, make] : shapes()) {
        (void)make;
        const std::size_t librarySize = shape == "attributes" ? 256u << 10 : kCap;
        benchmark::RegisterBenchmark(("Reader/" + shape + "/8MB").c_str(), BM_Reader, shape, kCap)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            ("Reader/" + shape + "/" + std::to_string(librarySize >> 10) + "KB").c_str(), BM_Reader,
            shape, librarySize)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            ("Library/" + shape + "/" + std::to_string(librarySize >> 10) + "KB").c_str(),
            BM_Library, shape, librarySize)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    kav::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto& [shape, make] : shapes()) {
        (void)make;
        const std::size_t librarySize = shape == "attributes" ? 256u << 10 : kCap;
        const std::string size = std::to_string(librarySize >> 10) + "KB";
        auto fast = reporter.seconds("Reader/" + shape + "/" + size);
        auto slow = reporter.seconds("Library/" + shape + "/" + size);
        auto cap = reporter.seconds("Reader/" + shape + "/8MB");
        if (fast && slow && cap)
            std::printf("%-16s reader %7.1f ms at 8 MB%s; library/reader %6.1fx at %s\n",
                        shape.c_str(), *cap * 1000, *cap < 1 ? "" : "  SLOW", *slow / *fast,
                        size.c_str());
    }
    return 0;
}
