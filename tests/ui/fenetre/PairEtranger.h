#pragma once
// Another user's program at the other end of the single-instance socket. The test
// program, started (through setpriv, as another user) as
//
//   tests_fenetre --pair ecouter NOM    binds NOM, prints "pret", takes one connection,
//                                       answers "ok" to it, prints "recu=N" (N bytes
//                                       came), then ends;
//   tests_fenetre --pair envoyer NOM    connects to NOM, hands over one path as our
//                                       program does and prints "reponse=" and what
//                                       came back;
//
// speaks plain sockets, as a hostile program would. NOM is an abstract name unless it
// is an absolute path.

// Whether the command line asks for it.
bool estAppelPair(int argc, char** argv);
// Runs it; the exit status.
int executerPair(int argc, char** argv);
