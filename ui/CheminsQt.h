#pragma once
// Paths between the catalogue (UTF-8 bytes, as the file system gives them) and Qt.

#include <string>

#include <QByteArray>
#include <QFile>
#include <QString>

inline QString cheminQt(const std::string& chemin)
{
    return QFile::decodeName(QByteArray::fromStdString(chemin));
}

inline std::string cheminCatalogue(const QString& chemin)
{
    return QFile::encodeName(chemin).toStdString();
}
