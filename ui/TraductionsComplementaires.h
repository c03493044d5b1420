#pragma once
// The French texts that Qt's own translation lacks, for the words Qt's file dialogs
// show (a folder's type column read "Folder").

#include <QTranslator>

class CTraductionsComplementaires : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* contexte, const char* source, const char* precision = nullptr,
                      int nombre = -1) const override;
};
