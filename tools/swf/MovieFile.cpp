#include "MovieFile.h"
#include "MovieBuilder.h"
#include "MovieDescription.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace tools::swf {

void WriteMovieFile(const QString& descriptionPath, const QString& moviePath, const DiscWords& words)
{
    QFile description(descriptionPath);
    if (!description.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + descriptionPath.toStdString());
    const Bytes movie = buildMovie(
        readMovieDescription(FillDescriptionWords(description.readAll(), words), QFileInfo(descriptionPath).dir()));
    QFileInfo(moviePath).dir().mkpath(".");
    QFile out(moviePath);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char*>(movie.data()), qint64(movie.size())) != qint64(movie.size()))
        throw std::runtime_error("cannot write " + moviePath.toStdString());
}

} // namespace tools::swf
