#pragma once

#include "host_export.h"

#include <QString>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

class QLibrary;

namespace host {

// The folder sibling libraries are loaded from: the executable's folder
// unless overridden (tests). An empty path restores the default.
MALVO_HOST_EXPORT void setSiblingDirectory(const QString &path);
MALVO_HOST_EXPORT QString siblingDirectory();

// The file of a sibling named the suite's way: "cities.dll" is
// <dir>/libcities.so, "data\\Fuel\\x.dll" is <dir>/data/Fuel/libx.so.
MALVO_HOST_EXPORT QString siblingLibraryPath(const QString &suiteName);

// One sibling library loaded for one call and released when this goes out of
// scope. A missing library or export is no error: resolve() gives null.
class MALVO_HOST_EXPORT SiblingLibrary
{
public:
    explicit SiblingLibrary(const QString &suiteName);
    ~SiblingLibrary();
    SiblingLibrary(const SiblingLibrary &) = delete;
    SiblingLibrary &operator=(const SiblingLibrary &) = delete;

    bool isLoaded() const;
    QString path() const { return m_path; }
    void *resolveSymbol(const char *exportName) const;
    template <typename Fn>
    Fn *resolve(const char *exportName) const
    {
        return reinterpret_cast<Fn *>(resolveSymbol(exportName));
    }

private:
    QString m_path;
    std::unique_ptr<QLibrary> m_library;
};

// Loads the library, calls the export with the arguments and releases the
// library. Fn is the function type, e.g. callSibling<int(int)>("cities.dll",
// "_EditRecord", 5). For a void function: true when it was called; otherwise
// the result, or nullopt when the library or the export is missing.
template <typename Fn, typename... Args>
auto callSibling(const QString &suiteName, const char *exportName, Args &&...args)
{
    using Result = std::invoke_result_t<Fn *, Args...>;
    SiblingLibrary library(suiteName);
    Fn *fn = library.resolve<Fn>(exportName);
    if constexpr (std::is_void_v<Result>) {
        if (!fn)
            return false;
        fn(std::forward<Args>(args)...);
        return true;
    } else {
        if (!fn)
            return std::optional<Result>();
        return std::optional<Result>(fn(std::forward<Args>(args)...));
    }
}

// Loads a sibling library for the caller to resolve exports from; null when
// the library is missing. The library is released when the pointer goes.
MALVO_HOST_EXPORT std::unique_ptr<SiblingLibrary> LoadLibrary_main(const QString &suiteName);

// "major.minor.patch.build" of one of the suite's files. A file of ours
// ("partners.dll" is libpartners.so in the sibling folder, or a full path)
// carries the project version embedded at build time; a library whose real
// file name ends in a version (libx.so.1.2.3) reports that version. Empty
// when the file does not exist.
MALVO_HOST_EXPORT QString GetFileVersion(const QString &file);
// The project version embedded at build time, "major.minor.patch.build".
MALVO_HOST_EXPORT QString hostVersion();

} // namespace host
