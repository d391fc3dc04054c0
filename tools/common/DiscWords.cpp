#include "DiscWords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

namespace tools {

namespace {

const QString kOpen = QStringLiteral("{{");
const QString kClose = QStringLiteral("}}");

QString wordNamed(const QString& name, const DiscWords& words)
{
    const QString value = name == "title" ? words.title : name == "publisher" ? words.publisher : QString();
    if (value.isEmpty())
        throw std::invalid_argument("no text given for {{" + name.toStdString() + "}}");
    return value;
}

QJsonValue fillValue(const QJsonValue& value, const DiscWords& words)
{
    if (value.isString())
        return FillWords(value.toString(), words);
    if (value.isArray()) {
        QJsonArray filled;
        for (const QJsonValue& item : value.toArray())
            filled.append(fillValue(item, words));
        return filled;
    }
    if (value.isObject()) {
        QJsonObject filled;
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            filled.insert(it.key(), fillValue(it.value(), words));
        return filled;
    }
    return value;
}

} // namespace

QString FillWords(const QString& text, const DiscWords& words)
{
    QString filled;
    qsizetype from = 0;
    for (qsizetype open = text.indexOf(kOpen); open >= 0; open = text.indexOf(kOpen, from)) {
        const qsizetype close = text.indexOf(kClose, open);
        if (close < 0)
            throw std::invalid_argument("an unclosed {{ in \"" + text.toStdString() + "\"");
        filled += text.mid(from, open - from) + wordNamed(text.mid(open + 2, close - open - 2), words);
        from = close + 2;
    }
    return filled + text.mid(from);
}

QByteArray FillDescriptionWords(const QByteArray& json, const DiscWords& words)
{
    if (!json.contains("{{"))
        return json;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull())
        throw std::invalid_argument("not JSON: " + error.errorString().toStdString());
    return QJsonDocument(fillValue(document.object(), words).toObject()).toJson(QJsonDocument::Compact);
}

bool TakeWordOptions(QStringList& arguments, DiscWords& words)
{
    while (!arguments.isEmpty() && (arguments.front() == "--title" || arguments.front() == "--publisher")) {
        if (arguments.size() < 2)
            return false;
        (arguments.front() == "--title" ? words.title : words.publisher) = arguments[1];
        arguments.remove(0, 2);
    }
    return true;
}

} // namespace tools
