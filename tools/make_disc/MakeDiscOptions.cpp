#include "MakeDiscOptions.h"

#include <algorithm>
#include <functional>
#include <map>

namespace makedisc {

namespace fs = std::filesystem;

const char* const kUsage =
    "usage: make-disc --books <books file or database> --title <text> --publisher <text> --out <image.iso>\n"
    "                 [--covers <folder>] [--encoding utf-8|gb18030|utf-16] [--folder <disc folder>]\n"
    "                 [--intro <movie>] [--intro <second movie>] [--sound <sound>] [--lessons <folder>]\n"
    "                 [--sample-disc <folder>] [--check]\n";

namespace {

enum class Kind { File, Folder, Text, NewPath };

class OptionReader {
public:
    explicit OptionReader(MakeDiscOptions& options) : options_(options) {}

    // False, with the error, for an option that is not one or whose value does not fit it.
    bool take(const QString& name, const std::optional<QString>& value, std::string& error)
    {
        const auto found = handlers().find(name);
        if (found == handlers().end()) {
            error = "unknown option " + name.toStdString();
            return false;
        }
        const auto& [kind, store] = found->second;
        if (!value) {
            error = name.toStdString() + " needs a value";
            return false;
        }
        fs::path path = fs::path(value->toStdString()).lexically_normal();
        if (!path.has_filename())
            path = path.parent_path(); // "mydisc/" names the folder mydisc
        if (kind == Kind::File && !fs::is_regular_file(path))
            error = name.toStdString() + ": no such file " + value->toStdString();
        else if (kind == Kind::Folder && !fs::is_directory(path))
            error = name.toStdString() + ": no such folder " + value->toStdString();
        else
            error = store(*value, path);
        return error.empty();
    }

private:
    using Store = std::function<std::string(const QString&, const fs::path&)>;
    const std::map<QString, std::pair<Kind, Store>>& handlers()
    {
        if (!handlers_.empty())
            return handlers_;
        auto path = [](fs::path& target) { return [&target](const QString&, const fs::path& p) { target = p; return std::string(); }; };
        auto optionalPath = [](std::optional<fs::path>& target) {
            return [&target](const QString&, const fs::path& p) { target = p; return std::string(); };
        };
        auto text = [](QString& target, const char* name) {
            return [&target, name](const QString& v, const fs::path&) {
                target = v.trimmed();
                return target.isEmpty() ? std::string(name) + " needs a text" : std::string();
            };
        };
        handlers_ = {
            {"--books", {Kind::File, path(options_.books)}},
            {"--covers", {Kind::Folder, optionalPath(options_.covers)}},
            {"--title", {Kind::Text, text(options_.words.title, "--title")}},
            {"--publisher", {Kind::Text, text(options_.words.publisher, "--publisher")}},
            {"--out", {Kind::NewPath, path(options_.image)}},
            {"--folder", {Kind::NewPath, path(options_.folder)}},
            {"--sample-disc", {Kind::Folder, path(options_.sampleDisc)}},
            {"--sound", {Kind::File, optionalPath(options_.media.sound)}},
            {"--lessons", {Kind::Folder, optionalPath(options_.media.lessons)}},
            {"--encoding", {Kind::Text, [this](const QString& v, const fs::path&) {
                 options_.encoding = EncodingNamed(v.toStdString());
                 return options_.encoding ? std::string() : "--encoding is utf-8, gb18030 or utf-16, not " + v.toStdString();
             }}},
            {"--intro", {Kind::File, [this](const QString&, const fs::path& p) {
                 auto& intros = options_.media.intros;
                 auto free = std::find(intros.begin(), intros.end(), std::nullopt);
                 if (free == intros.end())
                     return std::string("--intro is given at most twice");
                 *free = p;
                 return std::string();
             }}},
        };
        return handlers_;
    }

    MakeDiscOptions& options_;
    std::map<QString, std::pair<Kind, Store>> handlers_;
};

std::string missingOption(const MakeDiscOptions& options)
{
    if (options.books.empty())
        return "--books is needed";
    if (options.words.title.isEmpty() || options.words.publisher.isEmpty())
        return "--title and --publisher are needed";
    if (options.image.empty() && !options.checkOnly)
        return "--out is needed";
    return {};
}

} // namespace

std::optional<MakeDiscOptions> ReadOptions(const QStringList& arguments, std::string& error)
{
    MakeDiscOptions options;
    OptionReader reader(options);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--check") {
            options.checkOnly = true;
            continue;
        }
        const auto value = i + 1 < arguments.size() ? std::optional(arguments[i + 1]) : std::nullopt;
        if (!reader.take(arguments[i], value, error))
            return std::nullopt;
        ++i;
    }
    error = missingOption(options);
    if (!error.empty())
        return std::nullopt;
    if (options.folder.empty())
        options.folder = fs::path(options.image).replace_extension();
    // An image inside the disc folder would be on the next disc made there.
    const fs::path inFolder = fs::weakly_canonical(options.image).lexically_relative(fs::weakly_canonical(options.folder));
    if (!options.checkOnly && !inFolder.empty() && !inFolder.string().starts_with("..")) {
        error = "--out lies inside the disc folder " + options.folder.string();
        return std::nullopt;
    }
    return options;
}

} // namespace makedisc
