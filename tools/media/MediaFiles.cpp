#include "MediaFiles.h"
#include "AviEncoder.h"
#include "SceneDescription.h"
#include "SceneRenderer.h"
#include "Synth.h"
#include "WavFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <cmath>
#include <stdexcept>

namespace tools::media {
namespace {

QJsonObject readJsonFile(const QString& path, const DiscWords& words = {})
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(FillDescriptionWords(file.readAll(), words), &error);
    if (!document.isObject())
        throw std::invalid_argument(path.toStdString() + ": not a JSON object (" + error.errorString().toStdString() + ")");
    return document.object();
}

// The score played for exactly the scene's length.
void writeSoundTrack(const Scene& scene, const QString& wavPath)
{
    const auto samples = static_cast<std::size_t>(std::lround(scene.seconds * scene.sound->sampleRate));
    writeWav(wavPath.toStdString(), synthesize(*scene.sound, samples), scene.sound->sampleRate);
}

} // namespace

void makeMovie(const QString& scenePath, const QString& aviPath, const DiscWords& words)
{
    const Scene scene = readScene(readJsonFile(scenePath, words), QFileInfo(scenePath).dir());
    QTemporaryDir work;
    QString wavPath;
    if (scene.sound) {
        wavPath = work.filePath("sound.wav");
        writeSoundTrack(scene, wavPath);
    }
    AviEncoder encoder(aviPath, QSize(scene.width, scene.height), scene.frameRate, wavPath);
    for (int frame = 0; frame < scene.frameCount(); ++frame)
        encoder.addFrame(renderFrame(scene, double(frame) / scene.frameRate));
    encoder.finish();
}

void makeSound(const QString& scorePath, const QString& wavPath)
{
    const Score score = readScore(readJsonFile(scorePath));
    writeWav(wavPath.toStdString(), synthesize(score), score.sampleRate);
}

} // namespace tools::media
