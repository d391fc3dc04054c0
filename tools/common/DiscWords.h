#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tools {

// The words a disc shows as its own: its title and its publisher's name.
// Descriptions and text templates name them "{{title}}" and "{{publisher}}";
// the sample disc's build gives the sample's, a publisher's disc its own.
struct DiscWords {
    QString title;
    QString publisher;
};

// The text with every word it names filled in. Throws std::invalid_argument
// for a word the text names but no one gave, or any other "{{...}}", so a
// picture never shows a placeholder.
QString FillWords(const QString& text, const DiscWords& words);

// The same for every text of a JSON description.
QByteArray FillDescriptionWords(const QByteArray& json, const DiscWords& words);

// Takes the options "--title <text>" and "--publisher <text>" from the front
// of the arguments. Returns false for an option without its text.
bool TakeWordOptions(QStringList& arguments, DiscWords& words);

} // namespace tools
