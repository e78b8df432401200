#include "quorfind/ui/watched_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <memory>

#include "common/unique_fd.h"

namespace quor::find::ui {

namespace {

// A file for standard error that no name reaches and that vanishes with the
// last descriptor on it; -1 when none can be made.
int unlinkedTemporaryFile() {
    const QByteArray folder = QFile::encodeName(QDir::tempPath());
    const int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        return fd;
    }
    QByteArray name = folder + "/quorfind-run-XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) {
        ::unlink(name.constData());
    }
    return named;
}

// The last kKeptErrorOutput bytes of the file on fd.
std::string tailOf(int fd) {
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size <= 0) {
        return {};
    }
    const off_t start = std::max<off_t>(0, size - static_cast<off_t>(kKeptErrorOutput));
    std::string text(static_cast<std::size_t>(size - start), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n =
            ::pread(fd, text.data() + got, text.size() - got, start + static_cast<off_t>(got));
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    text.resize(got);
    return text;
}

}  // namespace

bool startWatched(const std::vector<std::string>& argv, std::function<void(const RunEnd&)> ended) {
    if (argv.empty()) {
        return false;
    }
    // Shared with the end of the run, which closes it; closed with the
    // process when the run never starts.
    auto errorFile = std::make_shared<UniqueFd>(unlinkedTemporaryFile());
    if (!*errorFile) {
        return false;
    }
    const int errorFd = errorFile->get();
    // No parent: a QProcess kills its program when it is deleted, and the
    // run must outlive this program; it deletes itself once the run ended.
    auto* process = new QProcess;
    process->setProgram(QString::fromStdString(argv[0]));
    QStringList arguments;
    for (std::size_t i = 1; i < argv.size(); ++i) {
        arguments << QString::fromStdString(argv[i]);
    }
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->setChildProcessModifier([errorFd] {
        ::dup2(errorFd, STDERR_FILENO);
        ::setsid();
    });
    QObject::connect(
        process, &QProcess::finished, process,
        [process, errorFile, ended = std::move(ended)](int code, QProcess::ExitStatus status) {
            RunEnd end;
            if (status == QProcess::NormalExit) {
                end.exitStatus = code;
            }
            end.errorOutput = tailOf(errorFile->get());
            errorFile->reset();
            process->deleteLater();
            ended(end);
        });
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    return true;
}

}  // namespace quor::find::ui
