#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Writing a file whole or not at all, for the project list and the reports alike: the new content goes
// to a temporary file beside the target, which takes the target's place only once every byte is on disk.
// A failure therefore leaves the earlier file of that name exactly as it was.
namespace WholeFile {

struct Failure
{
    int number = 0; // ErrorNumber::PathNotFound, PermissionDenied, DiskFull or FileAccessError
    QString reason; // what the system said
};

[[nodiscard]] std::optional<Failure> write(const QString &fileName, const QByteArray &bytes);

} // namespace WholeFile
