// kombin generate, verify, report: making and checking brief-system templates.
#include "app/cli/cli_commands.h"

#include "core/kombin/file.h"
#include "core/kombin/generate.h"
#include "core/kombin/matrix.h"
#include "core/kombin/report.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace kav::cli {
namespace {

namespace kb = kav::kombin;
namespace fs = std::filesystem;

int runGenerate(CliContext& ctx, const GenerateOptions& a) {
    kb::Key key{a.doubles, a.triples, a.hits};
    if (!key.valid() || key.positions() < 1 || key.hits < 1)
        throw UsageError("kombin generate: need 1 <= doubles + triples <= 15 and "
                         "1 <= hits <= doubles + triples");
    if (a.seconds < 0 || a.threads < 1 || a.threads > 64)
        throw UsageError("kombin generate: --seconds must be >= 0, --threads 1..64");
    if (a.height < 0 || a.height >= key.positions())
        throw UsageError("kombin generate: --height must be below doubles + triples");
    if (a.maxRows > 0 && kb::sphereBound(key) > a.maxRows) {
        std::cerr << "kavendix-cli: no system of at most " << a.maxRows << " rows exists (bound "
                  << kb::sphereBound(key) << ")\n";
        return kExitMessage;
    }
    std::vector<std::vector<std::uint8_t>> columns;
    if (!a.columns.empty()) {
        columns.emplace_back();
        for (char c : a.columns) {
            if (c == ',')
                columns.emplace_back();
            else if (c >= '0' && c <= '2')
                columns.back().push_back(static_cast<std::uint8_t>(c - '0'));
            else
                throw UsageError("kombin generate: --columns takes columns of digits 0, 1 and 2 "
                                 "separated by commas, e.g. 12000000");
        }
        if (auto problem = kb::fixedColumnsProblem(key, columns); !problem.empty())
            throw UsageError("kombin generate: --columns: " + problem);
        if (a.height != 0 && a.height != static_cast<int>(columns.front().size()))
            throw UsageError("kombin generate: --height must be the length of the --columns");
    }
    std::uint32_t seed = a.seed ? *a.seed : ctx.seed ? *ctx.seed : Rng::clockSeed();

    std::optional<kb::FolderLibrary> library;
    if (!a.noLibrary)
        library.emplace(a.library.empty() ? ctx.kombinFolder() : a.library);
    kb::GenerateOptions opt;
    opt.library = library ? &*library : nullptr;
    opt.useSearch = !a.noSearch && a.seconds > 0;
    opt.matrixHeight = a.height;
    opt.matrixColumns = columns;
    opt.search.exchange = a.exchange;
    opt.search.seed = seed;
    opt.search.seconds = a.seconds;
    opt.search.threads = a.threads;
    opt.search.target = a.target;
    opt.search.patience = a.patience;
    if (isatty(STDERR_FILENO))
        opt.search.progress = [](const kb::SearchProgress& p) {
            std::cerr << "\r" << static_cast<int>(p.done * 100) << "% rows " << p.bestRows << "    "
                      << std::flush;
        };
    auto result = kb::generateSystem(key, opt);
    if (opt.search.progress)
        std::cerr << '\n';

    std::cerr << kb::templateFileName(key, result.code.rows.size()) << ": "
              << result.code.rows.size() << " rows, bound " << result.lowerBound
              << ", construction " << result.constructionRows << " (" << result.method << "), seed "
              << seed << '\n';
    if (!result.holds) {
        std::cerr << "kavendix-cli: the system made fails its check; nothing written\n";
        return kExitMessage;
    }
    if (a.outDir.empty()) {
        std::cout << kb::templateFileText(result.code) << std::flush;
        return kExitOk;
    }
    std::string error;
    auto path = kb::saveTemplate(a.outDir, result.code, key.hits, error);
    if (!path) {
        std::cerr << "kavendix-cli: " << error << '\n';
        return kExitMessage;
    }
    std::cout << *path << '\n';
    return kExitOk;
}

// A folder stands for the regular files in it, in name order.
std::vector<std::string> expandPaths(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    for (const auto& a : args) {
        std::error_code ec;
        if (!fs::is_directory(a, ec)) {
            files.push_back(a);
            continue;
        }
        std::vector<std::string> inside;
        for (fs::directory_iterator it(a, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_regular_file(ec) && it->path().filename().string().front() != '.')
                inside.push_back(it->path().string());
        std::sort(inside.begin(), inside.end());
        files.insert(files.end(), inside.begin(), inside.end());
    }
    return files;
}

int runVerify(const std::vector<std::string>& args) {
    auto files = expandPaths(args);
    std::vector<std::string> texts;
    for (const auto& f : files)
        texts.push_back(readInputFile(f));
    std::string out;
    bool allHold = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        auto check = kb::checkTemplate(fs::path(files[i]).filename().string(), texts[i]);
        out += files[i] + ": ";
        if (check.name) {
            const auto& k = check.name->key;
            out += "doubles " + std::to_string(k.doubles) + ", triples " +
                   std::to_string(k.triples) + ", hits " + std::to_string(k.hits) + ", rows " +
                   std::to_string(check.rowsRead) + ": ";
        }
        out += check.ok() ? "guarantee holds" : "FAILS: " + check.problem;
        out += '\n';
        allHold = allHold && check.ok();
    }
    std::cout << out << std::flush;
    return allHold ? kExitOk : kExitMessage;
}

int runReport(CliContext& ctx, const std::string& folder) {
    auto files = expandPaths({folder.empty() ? ctx.kombinFolder() : folder});
    kb::LibrarySizes sizes;
    for (const auto& f : files) {
        auto name = fs::path(f).filename().string();
        auto check = kb::checkTemplate(name, readInputFile(f));
        if (!check.ok()) {
            std::cerr << "kavendix-cli: left out " << f << ": " << check.problem << '\n';
            continue;
        }
        auto [it, fresh] = sizes.emplace(check.name->key, check.name->rows);
        if (!fresh)
            it->second = std::min<std::uint64_t>(it->second, check.name->rows);
    }
    std::cout << kb::libraryReport(sizes) << std::flush;
    return kExitOk;
}

} // namespace

void addKombinCommands(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    auto* kombin = app.add_subcommand("kombin", "make and check brief-system templates");
    kombin->require_subcommand(1);

    GenerateOptions* gen = &options.kombin.generate;
    auto* g = kombin->add_subcommand(
        "generate", "make a system: rows on stdout, or D-T-K-ROWS.txt into -o DIR");
    g->add_option("--doubles", gen->doubles, "number of doubles")->required();
    g->add_option("--triples", gen->triples, "number of triples")->required();
    g->add_option("--hits", gen->hits, "insured hits")->required();
    g->add_option("--seconds", gen->seconds, "search budget (seconds of one core)")
        ->default_str("10");
    g->add_option("--seed", gen->seed, "seed of the search (unsigned 32-bit)");
    g->add_option("--patience", gen->patience,
                  "give up after this many seconds of search without a smaller system");
    g->add_option("--max-rows", gen->maxRows,
                  "do nothing when the sphere-covering bound exceeds this many rows");
    g->add_option("--threads", gen->threads, "search threads")->default_str("2");
    g->add_option("--target", gen->target, "stop as soon as this many rows are reached");
    g->add_option("--height", gen->height,
                  "rows of the check matrix of the matrix construction (0: try all)");
    g->add_option("--columns", gen->columns,
                  "search only the check matrix [I | these columns], e.g. 12000000 (triples "
                  "only; a column's length is the height)");
    g->add_flag("--exchange", gen->exchange,
                "exchange moves: a step may replace any row by any word covering an uncovered "
                "result (slower steps, better on radius two and above)");
    g->add_option("-o", gen->outDir, "write the file into this folder");
    g->add_option("--library", gen->library,
                  "templates used as building blocks (default: the template folder)");
    g->add_flag("--no-library", gen->noLibrary, "use no stored templates");
    g->add_flag("--no-search", gen->noSearch, "constructions only");
    g->callback([&ctx, gen] { ctx.action = [&ctx, gen] { return runGenerate(ctx, *gen); }; });

    std::vector<std::string>* files = &options.kombin.verifyFiles;
    auto* v = kombin->add_subcommand("verify", "check template files (or folders) exhaustively");
    v->add_option("files", *files, "template files or folders")->required();
    v->callback([&ctx, files] { ctx.action = [files] { return runVerify(*files); }; });

    std::string* folder = &options.kombin.reportFolder;
    auto* r = kombin->add_subcommand("report", "size report of a template folder (Markdown)");
    r->add_option("folder", *folder, "template folder (default: the template folder)");
    r->callback(
        [&ctx, folder] { ctx.action = [&ctx, folder] { return runReport(ctx, *folder); }; });
}

} // namespace kav::cli
