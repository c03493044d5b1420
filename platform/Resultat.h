#pragma once
// What an operation that can fail gives back: its value, or why it failed, in French,
// ready to show. Ignoring it is a compiler warning, as an ignored failure is a bug.
// (std::expected would do, but it is not offered in C++20.)

#include <cassert>
#include <string>
#include <utility>
#include <variant>

// A failure, which becomes a CResultat of any type: `return echec("...");`.
struct [[nodiscard]] SEchec {
    std::string raison;
};

inline SEchec echec(std::string raison)
{
    return SEchec{std::move(raison)};
}

template <class T = void>
class [[nodiscard]] CResultat {
public:
    CResultat(T valeur) : etat_(std::in_place_index<0>, std::move(valeur)) {}
    CResultat(SEchec e) : etat_(std::in_place_index<1>, std::move(e.raison)) {}

    explicit operator bool() const { return etat_.index() == 0; }
    const T& valeur() const
    {
        assert(*this);
        return *std::get_if<0>(&etat_);
    }
    T& valeur()
    {
        assert(*this);
        return *std::get_if<0>(&etat_);
    }
    const std::string& raison() const
    {
        assert(!*this);
        return *std::get_if<1>(&etat_);
    }

private:
    std::variant<T, std::string> etat_;
};

template <>
class [[nodiscard]] CResultat<void> {
public:
    CResultat() = default;
    CResultat(SEchec e) : raison_(std::move(e.raison)), echoue_(true) {}

    explicit operator bool() const { return !echoue_; }
    const std::string& raison() const
    {
        assert(echoue_);
        return raison_;
    }

private:
    std::string raison_;
    bool echoue_ = false;
};
