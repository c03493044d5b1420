#pragma once
// The doubly linked list behind every set of children and every working list of the
// catalogue (print list, collection lists). Insertion order everywhere; nothing sorts.
//
// The list itself never deletes elements on its own: the owning node calls
// supprimerElements() when it is destroyed. Non-owning lists just forget their cells.
//
// Every folder holds two of these, most of them empty, so the head is kept to a
// pointer and a count (16 bytes): the tail is the head cell's `precedente` (the head
// is the only cell whose `precedente` does not lead forward to it).

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>

template <typename T>
class CListeElements {
public:
    struct Cellule {
        T* element;
        Cellule* suivante;   // nullptr after the tail
        Cellule* precedente; // for the head: the tail
    };

    CListeElements() = default;
    CListeElements(const CListeElements&) = delete;
    CListeElements& operator=(const CListeElements&) = delete;
    CListeElements(CListeElements&& autre) noexcept { echanger(autre); }
    CListeElements& operator=(CListeElements&& autre) noexcept
    {
        if (this != &autre) {
            retirerTout();
            echanger(autre);
        }
        return *this;
    }
    ~CListeElements() { retirerTout(); }

    std::int32_t nombre() const { return nombre_; }
    bool estVide() const { return nombre_ == 0; }
    Cellule* tete() const { return tete_; }
    Cellule* queue() const { return tete_ ? tete_->precedente : nullptr; }

    Cellule* ajouter(T* element)
    {
        auto* c = new Cellule{element, nullptr, nullptr};
        if (tete_) {
            Cellule* queue = tete_->precedente;
            queue->suivante = c;
            c->precedente = queue;
        } else {
            tete_ = c;
        }
        tete_->precedente = c;
        ++nombre_;
        return c;
    }

    // Unlinks and frees the cell; the element is left alone.
    void retirer(Cellule* c)
    {
        if (c == tete_) {
            tete_ = c->suivante;
            if (tete_)
                tete_->precedente = c->precedente;  // still the tail
        } else {
            c->precedente->suivante = c->suivante;
            (c->suivante ? c->suivante : tete_)->precedente = c->precedente;
        }
        delete c;
        --nombre_;
    }

    // First cell holding `element`, searching forward from `depart` (or from the head).
    Cellule* trouver(const T* element, Cellule* depart = nullptr) const
    {
        for (Cellule* c = depart ? depart : tete_; c; c = c->suivante)
            if (c->element == element)
                return c;
        return nullptr;
    }

    // Removes the cell holding `element`, if any. True when one was removed.
    bool retirerElement(const T* element)
    {
        Cellule* c = trouver(element);
        if (!c)
            return false;
        retirer(c);
        return true;
    }

    // Cell at a zero-based index, walking from the nearer end; nullptr when out of range.
    Cellule* celluleA(std::int32_t index) const
    {
        if (index < 0 || index >= nombre_)
            return nullptr;
        if (index <= nombre_ / 2) {
            Cellule* c = tete_;
            while (index--)
                c = c->suivante;
            return c;
        }
        Cellule* c = queue();
        for (std::int32_t i = nombre_ - 1; i > index; --i)
            c = c->precedente;
        return c;
    }

    T* elementA(std::int32_t index) const
    {
        Cellule* c = celluleA(index);
        return c ? c->element : nullptr;
    }

    // Appends a cell for every element of `autre`, in order.
    void ajouterListe(const CListeElements& autre)
    {
        for (Cellule* c = autre.tete_; c; c = c->suivante)
            ajouter(c->element);
    }

    // Frees every cell; elements are left alone.
    void retirerTout()
    {
        while (tete_) {
            Cellule* c = tete_;
            tete_ = c->suivante;
            delete c;
        }
        nombre_ = 0;
    }

    // Deletes every element, then its cell. Each element is unlinked before it is
    // deleted, so a destructor that looks at this list never sees a dead element.
    void supprimerElements()
    {
        while (tete_) {
            T* e = tete_->element;
            retirer(tete_);
            delete e;
        }
    }

    // Range-for over the elements.
    class Iterateur {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T**;
        using reference = T*;
        explicit Iterateur(Cellule* c) : c_(c) {}
        T* operator*() const { return c_->element; }
        Iterateur& operator++()
        {
            c_ = c_->suivante;
            return *this;
        }
        Iterateur operator++(int)
        {
            Iterateur avant = *this;
            c_ = c_->suivante;
            return avant;
        }
        bool operator==(const Iterateur& o) const { return c_ == o.c_; }

    private:
        Cellule* c_;
    };
    Iterateur begin() const { return Iterateur(tete_); }
    Iterateur end() const { return Iterateur(nullptr); }

private:
    void echanger(CListeElements& autre) noexcept
    {
        std::swap(nombre_, autre.nombre_);
        std::swap(tete_, autre.tete_);
    }

    Cellule* tete_ = nullptr;
    std::int32_t nombre_ = 0;
};
