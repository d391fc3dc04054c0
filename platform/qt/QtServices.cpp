#include "QtServices.h"
#include "MeasuredFont.h"
#include "base/PathCase.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QFontDatabase>
#include <QMessageBox>
#include <QScreen>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <fstream>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::qt {

namespace {

QSize reportedScreenPixels()
{
    if (const char* forced = std::getenv("BOOKDISC_SCREEN")) {
        int w = 0, h = 0;
        if (std::sscanf(forced, "%dx%d", &w, &h) == 2 && w > 0 && h > 0)
            return QSize(w, h);
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(800, 600);
}

int twipsPerPixel(double dpi)
{
    if (dpi <= 0)
        return 15;
    return std::max(1, int(std::lround(1440.0 / dpi)));
}

std::string readWholeFile(const char* path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

QtApplication::QtApplication(std::string programFolder) : programFolder_(std::move(programFolder)) {}

QtApplication::~QtApplication()
{
    if (instanceSocket_ >= 0)
        ::close(instanceSocket_);
}

std::string QtApplication::programFolder() const
{
    if (!programFolder_.empty())
        return programFolder_;
    return QCoreApplication::applicationDirPath().toStdString();
}

bool QtApplication::anotherInstanceRunning()
{
    if (instanceSocket_ >= 0)
        return false;
    // An abstract socket name is held by the running process alone and goes
    // away with it; nothing is written to disk.
    const std::string name = "bookdisc." + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString() +
                             "." + std::to_string(::getuid());
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::size_t len = std::min(name.size(), sizeof(addr.sun_path) - 2);
    std::copy_n(name.data(), len, addr.sun_path + 1);
    const socklen_t size = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + len);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), size) != 0) {
        ::close(fd);
        return errno == EADDRINUSE;
    }
    instanceSocket_ = fd;
    return false;
}

int QtApplication::screenWidthTwips() const { return reportedScreenPixels().width() * twipsPerPixelX(); }
int QtApplication::screenHeightTwips() const { return reportedScreenPixels().height() * twipsPerPixelY(); }

int QtApplication::twipsPerPixelX() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixel(screen ? screen->logicalDotsPerInchX() : 96);
}

int QtApplication::twipsPerPixelY() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixel(screen ? screen->logicalDotsPerInchY() : 96);
}

void QtApplication::end(int status)
{
    std::fflush(nullptr);
    // The program ends at once, as its windows and players expect; no
    // teardown of the browser engine is attempted.
    std::_Exit(status);
}

bool QtApplication::fileExists(const std::string& path) const
{
    QFileInfo info(QString::fromStdString(base::ExistingPathIgnoringCase(path)));
    return info.exists() && !info.isDir();
}

bool QtApplication::folderExists(const std::string& path) const
{
    return QFileInfo(QString::fromStdString(base::ExistingPathIgnoringCase(path))).isDir();
}

std::vector<std::string> QtApplication::filesIn(const std::string& folder) const
{
    const QDir dir(QString::fromStdString(base::ExistingPathIgnoringCase(folder)));
    std::vector<std::string> names;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        names.push_back(name.toStdString());
    return names;
}

std::string QtApplication::title() const
{
    return QCoreApplication::applicationName().toStdString();
}

void QtMessageBoxes::ok(const std::string& text, const std::string& caption)
{
    const std::string shownCaption = caption.empty() ? app_.title() : caption;
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(shownCaption), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.exec();
}

Answer QtMessageBoxes::yesNo(const std::string& text, const std::string& caption)
{
    const std::string shownCaption = caption.empty() ? app_.title() : caption;
    QMessageBox box(QMessageBox::Question, QString::fromStdString(shownCaption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QtTimer::QtTimer()
{
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (handler_)
            handler_();
    });
}

void QtTimer::setInterval(int ms)
{
    timer_.setInterval(ms);
}

void QtTimer::setEnabled(bool enabled)
{
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

std::vector<std::string> parseCdromInfo(const std::string& info)
{
    std::vector<std::string> devices;
    std::istringstream lines(info);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("drive name:", 0) != 0)
            continue;
        std::istringstream words(line.substr(11));
        std::string name;
        while (words >> name)
            devices.push_back(name);
    }
    auto number = [](const std::string& d) {
        std::size_t i = d.find_first_of("0123456789");
        return i == std::string::npos ? 0 : std::atoi(d.c_str() + i);
    };
    std::sort(devices.begin(), devices.end(), [&](const auto& a, const auto& b) { return number(a) < number(b); });
    return devices;
}

std::string mountPointOf(const std::string& mounts, const std::string& device)
{
    std::istringstream lines(mounts);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string dev, point;
        if (!(fields >> dev >> point) || dev != device)
            continue;
        // /proc/self/mounts writes spaces and other specials as octal escapes.
        std::string decoded;
        for (std::size_t i = 0; i < point.size(); ++i) {
            if (point[i] == '\\' && i + 3 < point.size()) {
                decoded += char(std::stoi(point.substr(i + 1, 3), nullptr, 8));
                i += 3;
            } else {
                decoded += point[i];
            }
        }
        return decoded;
    }
    return {};
}

std::vector<std::string> LinuxOpticalDrives::list()
{
    const std::string mounts = readWholeFile("/proc/self/mounts");
    std::vector<std::string> names;
    for (const std::string& device : parseCdromInfo(readWholeFile("/proc/sys/dev/cdrom/info"))) {
        const std::string path = "/dev/" + device;
        const std::string point = mountPointOf(mounts, path);
        names.push_back(point.empty() ? path : point);
    }
    return names;
}

std::string QtUserFiles::folder() const
{
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/bookdisc/" +
            QCoreApplication::applicationName())
        .toStdString();
}

std::optional<std::string> QtUserFiles::read(const std::string& name)
{
    QFile file(QString::fromStdString(folder() + "/" + name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content.toStdString();
}

bool QtUserFiles::write(const std::string& name, const std::string& content)
{
    const QString where = QString::fromStdString(folder());
    if (!QDir().mkpath(where))
        return false;
    QSaveFile file(where + "/" + QString::fromStdString(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content.data(), qint64(content.size()));
    return file.commit();
}

bool QtFontRegistry::registerFontFile(const std::string& givenPath, const std::vector<std::string>& standsFor)
{
    const std::string path = base::ExistingPathIgnoringCase(givenPath);
    if (!QFileInfo(QString::fromStdString(path)).isFile())
        return false;
    const int id = QFontDatabase::addApplicationFont(QString::fromStdString(path));
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    if (!families.isEmpty()) {
        for (const std::string& name : standsFor)
            standInFace(name, families.front());
    }
    // The browser engine asks fontconfig for fonts; an application font of
    // the current configuration lives only in this process's memory.
    const bool forPages =
        FcConfigAppFontAddFile(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(path.c_str())) == FcTrue;
    return !families.isEmpty() && forPages;
}

} // namespace platform::qt
