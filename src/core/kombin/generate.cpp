#include "core/kombin/generate.h"

#include "core/kombin/file.h"
#include "core/kombin/matrix.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

namespace kav::kombin {

FolderLibrary::FolderLibrary(const std::string& folder) {
    addFolder(folder);
}

void FolderLibrary::addFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        auto name = parseTemplateFileName(it->path().filename().string());
        if (name)
            files_[name->key].emplace(name->rows, it->path().string());
    }
}

std::optional<std::uint64_t> FolderLibrary::sizeOf(const Key& key) const {
    auto it = files_.find(key);
    if (it == files_.end() || it->second.empty())
        return std::nullopt;
    return it->second.begin()->first;
}

std::optional<Code> FolderLibrary::load(const Key& key) {
    auto it = files_.find(key);
    if (it == files_.end())
        return std::nullopt;
    auto& candidates = it->second;
    while (!candidates.empty()) {
        const std::string path = candidates.begin()->second;
        std::ifstream in(path, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        auto name = std::filesystem::path(path).filename().string();
        if (in && checkTemplate(name, text).ok())
            return readTemplateRows(text, key.doubles, key.triples).code;
        candidates.erase(candidates.begin());
    }
    return std::nullopt;
}

void AnnouncedLibrary::announce(const Key& key, std::uint64_t rows) {
    auto [it, added] = sizes_.emplace(key, rows);
    if (!added)
        it->second = std::min(it->second, rows);
}

std::optional<std::uint64_t> AnnouncedLibrary::sizeOf(const Key& key) const {
    auto it = sizes_.find(key);
    if (it == sizes_.end())
        return std::nullopt;
    return it->second;
}

namespace {

constexpr std::uint64_t kHuge = 1ull << 50;

std::uint64_t times(std::uint64_t a, std::uint64_t b) {
    return (a >= kHuge || b >= kHuge || a * b >= kHuge) ? kHuge : a * b;
}

// Sizes of every sub-key by dynamic programming, then the chosen recipe built.
class Planner {
public:
    explicit Planner(Library* library) : library_(library) {}

    enum class Kind { Single, OneHit, Full, Stored, Golay, Hamming, Project, Sum };
    struct Plan {
        std::uint64_t size = kHuge;
        Kind kind = Kind::Full;
        int d1 = 0, t1 = 0, r1 = 0; // first part of a sum
    };

    const Plan& plan(int d, int t, int r) {
        int n = d + t;
        r = std::min(r, n);
        auto key = std::make_tuple(d, t, r);
        if (auto it = memo_.find(key); it != memo_.end())
            return it->second;
        Plan best;
        auto offer = [&best](std::uint64_t size, Kind kind, int d1 = 0, int t1 = 0, int r1 = 0) {
            if (size < best.size)
                best = Plan{size, kind, d1, t1, r1};
        };
        Key k{d, t, n - r};
        offer(Key{d, t, 0}.results(), Kind::Full);
        if (r == n) {
            offer(1, Kind::Single);
        } else if (r == n - 1) {
            offer(d > 0 ? 2 : 3, Kind::OneHit);
        } else if (r > 0) {
            if (library_)
                if (auto s = library_->sizeOf(k))
                    offer(*s, Kind::Stored);
            if (d == 0 && t == 11 && r == 2)
                offer(729, Kind::Golay);

            if (d == 0 && (t == 4 || t == 13) && r == 1)
                offer(Key{0, t - (t == 4 ? 2 : 3), 0}.results(), Kind::Hamming);
            if (d > 0)
                offer(plan(d - 1, t + 1, r).size, Kind::Project);
            for (int d1 = 0; d1 <= d; ++d1)
                for (int t1 = 0; t1 <= t; ++t1) {
                    int n1 = d1 + t1, n2 = n - n1;
                    if (n1 == 0 || n2 == 0 ||
                        std::make_pair(d1, t1) > std::make_pair(d - d1, t - t1))
                        continue;
                    for (int r1 = std::max(0, r - n2); r1 <= std::min(r, n1); ++r1) {
                        auto s1 = plan(d1, t1, r1).size;
                        auto s2 = plan(d - d1, t - t1, r - r1).size;
                        offer(times(s1, s2), Kind::Sum, d1, t1, r1);
                    }
                }
        }
        return memo_[key] = best;
    }

    // Builds the planned code; nothing when a stored system failed its check
    // (the plan is then made again without it).
    std::optional<Code> build(int d, int t, int r, std::string& recipe) {
        r = std::min(r, d + t);
        Plan p = plan(d, t, r);
        auto label = std::to_string(d) + "-" + std::to_string(t) + "-" + std::to_string(d + t - r);
        switch (p.kind) {
        case Kind::Single:
            recipe = "one row";
            return Code{d, t, {Word(static_cast<std::size_t>(d + t), 0)}};
        case Kind::OneHit:
            recipe = "one-hit rows";
            return oneHitCode(d, t);
        case Kind::Full:
            recipe = "all results";
            return fullCode(d, t);
        case Kind::Golay:
            recipe = "ternary Golay code";
            return ternaryGolay();
        case Kind::Hamming:
            recipe = "ternary Hamming code";
            return ternaryHamming(t == 4 ? 2 : 3);
        case Kind::Stored: {
            auto code = library_->load(Key{d, t, d + t - r});
            if (!code) {
                memo_.clear();
                return std::nullopt;
            }
            recipe = "library " + label;
            return code;
        }
        case Kind::Project: {
            auto code = build(d - 1, t + 1, r, recipe);
            if (!code)
                return std::nullopt;
            recipe = "(" + recipe + ") with a triple played as a double";
            return tripleToDouble(*code);
        }
        case Kind::Sum: {
            std::string ra, rb;
            auto a = build(p.d1, p.t1, p.r1, ra);
            if (!a)
                return std::nullopt;
            auto b = build(d - p.d1, t - p.t1, r - p.r1, rb);
            if (!b)
                return std::nullopt;
            recipe = "(" + ra + ") + (" + rb + ")";
            return directSum(*a, *b);
        }
        }
        return std::nullopt;
    }

private:
    Library* library_;
    std::map<std::tuple<int, int, int>, Plan> memo_;
};

} // namespace

std::uint64_t constructionSize(const Key& key, Library* library) {
    return Planner(library).plan(key.doubles, key.triples, key.radius()).size;
}

Construction buildConstruction(const Key& key, Library* library) {
    Planner planner(library);
    Construction c;
    while (true) {
        auto code = planner.build(key.doubles, key.triples, key.radius(), c.recipe);
        if (code) {
            c.code = std::move(*code);
            break;
        }
    }
    canonicalize(c.code);
    return c;
}

namespace {

// How often each of the `symbols` symbols stands at position `pos` of c's rows.
std::vector<std::size_t> countAt(const Code& c, int pos, int symbols) {
    std::vector<std::size_t> cnt(static_cast<std::size_t>(symbols), 0);
    for (const auto& w : c.rows)
        ++cnt[w[static_cast<std::size_t>(pos)]];
    return cnt;
}

// The symbols 0..q-1 in order of their counts: rarest first, or commonest first.
std::vector<int> symbolsByCount(const std::vector<std::size_t>& cnt, bool commonestFirst) {
    std::vector<int> order(cnt.size());
    for (std::size_t s = 0; s < order.size(); ++s)
        order[s] = static_cast<int>(s);
    if (commonestFirst)
        std::sort(order.begin(), order.end(), [&cnt](int x, int y) {
            return cnt[static_cast<std::size_t>(x)] > cnt[static_cast<std::size_t>(y)];
        });
    else
        std::sort(order.begin(), order.end(), [&cnt](int x, int y) {
            return cnt[static_cast<std::size_t>(x)] < cnt[static_cast<std::size_t>(y)];
        });
    return order;
}

// The two parts of an amalgamated sum and the kind of position they share.
struct SumParts {
    Key aKey;
    const Code& a;
    Key bKey;
    const Code& b;
    bool shareTriple;
};

// Every sum of the parts over a shared position of a (one of the shared kind)
// and the first of that kind in b; keeps a checked sum that beats `best`.
void tryJoins(const SumParts& p, int radius, Code& best, std::string& method) {
    const int q = p.shareTriple ? 3 : 2;
    // The larger parts of a meet the smaller parts of b.
    const int j = p.shareTriple ? 0 : p.b.triples;
    const auto cb = countAt(p.b, j, q);
    const std::vector<int> bOrder = symbolsByCount(cb, false);
    const int from = p.shareTriple ? 0 : p.a.triples;
    const int to = p.shareTriple ? p.a.triples : p.a.positions();
    for (int i = from; i < to; ++i) {
        const auto ca = countAt(p.a, i, q);
        const std::vector<int> aOrder = symbolsByCount(ca, true);
        std::vector<int> relabel(static_cast<std::size_t>(q));
        std::size_t size = 0;
        for (int s = 0; s < q; ++s) {
            auto as = static_cast<std::size_t>(aOrder[static_cast<std::size_t>(s)]);
            auto bs = static_cast<std::size_t>(bOrder[static_cast<std::size_t>(s)]);
            relabel[as] = static_cast<int>(bs);
            size += ca[as] * cb[bs];
        }
        if (size >= best.rows.size())
            continue;
        Code sum = amalgamatedSum(p.a, i, p.b, j, relabel);
        canonicalize(sum);
        if (sum.rows.size() < best.rows.size() && checkCoverage(sum, radius).holds()) {
            method = std::string("amalgamated sum of ") + templateFileName(p.aKey, p.a.rows.size());
            method += " and ";
            method += templateFileName(p.bKey, p.b.rows.size());
            best = std::move(sum);
        }
    }
}

// Amalgamated direct sums of two shorter systems whose radii add up to the
// key's: each candidate is built from the best constructions of its parts and
// kept only when the exhaustive check passes and it beats `best`.
void tryAmalgamatedSums(const Key& key, Library* library, Code& best, std::string& method,
                        const std::atomic<bool>* cancel) {
    const int n = key.positions(), r = key.radius();
    if (n < 5 || r < 2 || key.results() > kMaxSearchResults)
        return;
    std::map<Key, Construction> parts;
    auto part = [&](const Key& k) -> const Construction& {
        auto it = parts.find(k);
        if (it == parts.end())
            it = parts.emplace(k, buildConstruction(k, library)).first;
        return it->second;
    };
    for (int shareTriple = 1; shareTriple >= 0; --shareTriple) {
        if (shareTriple ? key.triples == 0 : key.doubles == 0)
            continue;
        const int q = shareTriple ? 3 : 2;
        for (int n1 = 3; n1 <= n - 2; ++n1)
            for (int r1 = 1; r1 < r; ++r1)
                for (int d1 = 0; d1 <= std::min(key.doubles + 1, n1); ++d1) {
                    int t1 = n1 - d1;
                    int d2 = key.doubles - d1 + (shareTriple ? 0 : 1);
                    int t2 = key.triples - t1 + (shareTriple ? 1 : 0);
                    int n2 = n + 1 - n1, r2 = r - r1;
                    if (d2 < 0 || t2 < 0 || d2 + t2 != n2 || r1 >= n1 - 1 || r2 >= n2 - 1)
                        continue;
                    if ((shareTriple ? t1 : d1) == 0 || (shareTriple ? t2 : d2) == 0)
                        continue;
                    if (cancel && cancel->load())
                        return;
                    const Key aKey{d1, t1, n1 - r1}, bKey{d2, t2, n2 - r2};
                    const Code& a = part(aKey).code;
                    const Code& b = part(bKey).code;
                    if (a.rows.size() * b.rows.size() >= best.rows.size() * q)
                        continue;
                    tryJoins({aKey, a, bKey, b, shareTriple != 0}, r, best, method);
                }
    }
}

} // namespace

GenerateResult generateSystem(const Key& key, const GenerateOptions& options) {
    GenerateResult result;
    result.lowerBound = sphereBound(key);
    auto built = buildConstruction(key, options.library);
    result.code = std::move(built.code);
    result.method = built.recipe;
    tryAmalgamatedSums(key, options.library, result.code, result.method, options.search.cancel);
    result.constructionRows = result.code.rows.size();
    if (!options.useSearch || key.radius() == 0) {
        result.holds = checkCoverage(result.code, key.radius()).holds();
        return result;
    }

    auto cancelled = [&options] { return options.search.cancel && options.search.cancel->load(); };
    // Progress of one phase, mapped onto its share of the whole run.
    auto phase = [&options](double from, double share) {
        SearchOptions o = options.search;
        o.seconds = options.search.seconds * share;
        if (options.search.progress)
            o.progress = [&options, from, share](const SearchProgress& p) {
                options.search.progress(SearchProgress{p.bestRows, from + p.done * share});
            };
        return o;
    };
    auto matrixPhase = [&](double from, double share) {
        if (result.code.rows.size() >
                std::max<std::size_t>(result.lowerBound, options.search.target) &&
            !cancelled())
            if (auto code = options.matrixColumns.empty()
                                ? matrixSearch(key, result.code.rows.size(), phase(from, share),
                                               options.matrixHeight)
                                : matrixSearchOn(key, result.code.rows.size(), phase(from, share),
                                                 options.matrixColumns)) {
                canonicalize(*code);
                result.code = std::move(*code);
                result.method = "matrix construction";
            }
    };
    auto plainPhase = [&](double from, double share) {
        if (key.results() > kMaxSearchResults || result.code.rows.size() <= result.lowerBound ||
            cancelled())
            return;
        auto found = searchCover(hammingSpace(key.doubles, key.triples, key.radius()),
                                 result.code.rows, phase(from, share));
        result.cancelled = found.cancelled;
        if (!found.rows.empty() && found.rows.size() < result.code.rows.size()) {
            Code code{key.doubles, key.triples, std::move(found.rows)};
            canonicalize(code);
            // The search is trusted only as far as the exhaustive check goes.
            if (checkCoverage(code, key.radius()).holds()) {
                result.code = std::move(code);
                result.method = "local search from " + result.method;
            }
        }
    };
    if (!options.matrixColumns.empty()) {
        matrixPhase(0, 1);
    } else if (options.search.target > 0) {
        // A wanted size is often reached by the plain search alone: try it first.
        plainPhase(0, 0.5);
        matrixPhase(0.5, 0.5);
    } else {
        matrixPhase(0, 0.5);
        plainPhase(0.5, 0.5);
    }
    result.cancelled = result.cancelled || cancelled();
    result.holds = checkCoverage(result.code, key.radius()).holds();
    return result;
}

} // namespace kav::kombin
