#pragma once
// The program's own messages, by their string-table number.

enum : int {
    kMsgClasseurExiste = 40000,
    kMsgClasseurSansNom = 40001,
    kMsgRequeteExiste = 40002,
    kMsgRequeteSansNom = 40003,
};

// The text of message `id`; an empty text for an unknown number.
const char* chaine(int id);
