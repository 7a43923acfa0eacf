// Small shell scripts standing in for the LaTeX compiler and viewer: each
// test writes the one it needs and the program starts it directly.
#pragma once

#include <QFile>
#include <QString>

// Writes an executable "#!/bin/sh" script `body` as `path`.
inline QString WriteScript(const QString& path, const QByteArray& body)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

// What a fake compiler writes for its bare file name, the third argument.
inline constexpr const char* kMakeDvi = ": > \"${3%.tex}.dvi\"";
