#pragma once
// The pages of a print preview: one or two sheets side by side, the whole sheet or its
// width in the window. A page is drawn when it comes into view and kept for the next
// repaints; the pages out of view are never drawn.

#include <cstdint>
#include <vector>

#include <QAbstractScrollArea>
#include <QImage>

class CPagesApercu;

class CVuePagesApercu : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class EZoom { PageEntiere, Largeur };

    CVuePagesApercu(CPagesApercu& pages, QWidget* parent);

    // The first page shown, kept within the pages there are.
    void afficherPage(std::uint32_t page);
    std::uint32_t page() const { return page_; }
    // 2 shows facing pages, anything else one.
    void definirPagesCote(int pages);
    int pagesCote() const { return pagesCote_; }
    void definirZoom(EZoom zoom);
    EZoom zoom() const { return zoom_; }
    // The pages were laid out again (another paper): everything is drawn anew.
    void pagesChangees();

    // Every page drawn so far, in order; for the tests.
    const std::vector<std::uint32_t>& pagesDessinees() const { return dessinees_; }

signals:
    void pageChangee(std::uint32_t page);

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;

private:
    struct SPageDessinee {
        std::uint32_t page;
        QSize taille;
        QImage image;
    };

    // A sheet's size on screen.
    QSize tailleFeuille() const;
    const QImage& image(std::uint32_t page, QSize taille);
    void ajusterDefilement();

    CPagesApercu& pages_;
    std::uint32_t page_ = 1;
    int pagesCote_ = 1;
    EZoom zoom_ = EZoom::PageEntiere;
    // The last pages drawn, the most recent last.
    std::vector<SPageDessinee> cache_;
    std::vector<std::uint32_t> dessinees_;
};
