// SPDX-License-Identifier: GPL-3.0-or-later
#include "emf_converter.h"

#include "metafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcEmf, "zonari.pictures.emf", QtWarningMsg)

namespace {

const QString DefaultConverter = QStringLiteral("emf2svg-conv");

// Limits of one conversion. A good metafile converts in well under a
// second; the editor waits for the converter, so a stuck one is killed
// early.
constexpr int WallClockMilliseconds = 10'000;
constexpr rlim_t CpuSeconds = 10;
constexpr rlim_t AddressSpaceBytes = 1024ULL * 1024 * 1024;
constexpr qint64 MaxLoggedErrorBytes = 4096;

QMutex programLock;
QString configuredProgram; // empty: the one on the PATH

QString converterProgram()
{
    const QMutexLocker lock(&programLock);
    if (!configuredProgram.isEmpty())
        return QFileInfo(configuredProgram).isExecutable() ? configuredProgram : QString();
    return QStandardPaths::findExecutable(DefaultConverter);
}

// Runs in the child between fork and exec: only async-signal-safe calls.
void limitChild()
{
    const auto limit = [](int resource, rlim_t value) {
        const rlimit both{value, value};
        setrlimit(resource, &both);
    };
    limit(RLIMIT_CPU, CpuSeconds);
    limit(RLIMIT_AS, AddressSpaceBytes);
    limit(RLIMIT_FSIZE, rlim_t(MaxSvgBytes));
    limit(RLIMIT_CORE, 0);
    setpgid(0, 0); // a group of its own, so that a kill reaches whatever it started
}

void logErrors(const QString &errorFile)
{
    QFile file(errorFile);
    if (file.open(QIODevice::ReadOnly) && file.size() > 0)
        qCDebug(lcEmf) << "emf2svg-conv:" << file.read(MaxLoggedErrorBytes);
}

} // namespace

ConvertedEmf convertEmfToSvg(const QByteArray &emf, qint64 maxWidth, qint64 maxHeight)
{
    const QString program = converterProgram();
    if (program.isEmpty())
        return {ConvertedEmf::Outcome::ConverterMissing, {}};

    // The converter works on a private copy in a folder only this user can
    // read; the folder and both files go when the conversion ends.
    const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/zonari-emf-XXXXXX"));
    if (!folder.isValid())
        return {};
    const QString input = folder.filePath(QStringLiteral("picture.emf"));
    const QString output = folder.filePath(QStringLiteral("picture.svg"));
    const QString errors = folder.filePath(QStringLiteral("errors.txt"));
    QFile inputFile(input);
    if (!inputFile.open(QIODevice::WriteOnly) || inputFile.write(emf) != emf.size() || !inputFile.flush())
        return {};
    inputFile.close();

    QProcess converter;
    converter.setWorkingDirectory(folder.path());
    converter.setStandardInputFile(QProcess::nullDevice());
    converter.setStandardOutputFile(QProcess::nullDevice());
    converter.setStandardErrorFile(errors);
    converter.setChildProcessModifier(limitChild);
    converter.start(program, {QStringLiteral("-i"), input, QStringLiteral("-o"), output, QStringLiteral("-w"),
                              QString::number(maxWidth), QStringLiteral("-h"), QString::number(maxHeight)});
    if (!converter.waitForFinished(WallClockMilliseconds)) {
        if (converter.processId() > 0)
            ::kill(-pid_t(converter.processId()), SIGKILL);
        converter.kill();
        converter.waitForFinished();
        qCDebug(lcEmf) << "emf2svg-conv did not finish:" << converter.errorString();
        return {};
    }
    logErrors(errors);
    if (converter.exitStatus() != QProcess::NormalExit || converter.exitCode() != 0)
        return {};

    QFile svg(output);
    if (!svg.open(QIODevice::ReadOnly) || svg.size() == 0 || svg.size() > MaxSvgBytes)
        return {};
    return {ConvertedEmf::Outcome::Converted, svg.readAll()};
}

void setEmfConverterProgram(const QString &program)
{
    const QMutexLocker lock(&programLock);
    configuredProgram = program;
}
