// Safe replacement of output files: each file is written whole to a temporary
// beside its target through a large buffer, and the targets are replaced only
// once every file of the set is complete and closed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/memoria.h"

// Gathers bytes and hands them to the file in large blocks. The block is taken
// whole on the first write and never cleared: only the part that a file fills
// is ever touched, so a short text costs no more memory than its own length,
// and the files of a set share one block.
inline constexpr size_t dimensione_blocco = size_t{256} << 10;

// A writer's block, handed back to where it came from.
struct rendi_blocco {
  void operator()(unsigned char* blocco) const { rendi_memoria(blocco, dimensione_blocco); }
};

struct scrittore {
  std::FILE* file = nullptr;
  std::filesystem::path percorso;  // the file being written, for `apri_parte`
  std::unique_ptr<unsigned char[], rendi_blocco> blocco;
  size_t capienza = 0;  // bytes the block holds
  size_t usati = 0;     // bytes gathered, not yet handed to the file
  int errno_guasto = 0;  // 0 while every write has succeeded
};

// Room for `quanti` bytes (at most `dimensione_blocco`) after what is
// gathered, handing the block to the file first when they do not fit. The
// caller fills what it needs of them and counts it with `avanza`.
unsigned char* spazio(scrittore& s, size_t quanti);
inline void avanza(scrittore& s, size_t quanti) { s.usati += quanti; }

// Hands what is gathered to the file.
void svuota(scrittore& s);

// A second writer into the file of `s`, from byte `inizio` on: for a producer
// that knows how long the part before will be, and so fills two parts side by
// side. False (the failure recorded in `s`) when the file cannot be opened
// again; `chiudi_parte` hands the part's bytes over and carries its failures
// into `s`.
bool apri_parte(scrittore& s, uint64_t inizio, scrittore& parte);
void chiudi_parte(scrittore& s, scrittore& parte);

void scrivi_byte_lento(scrittore& s, const void* dati, size_t quanti);
inline void scrivi_byte(scrittore& s, const void* dati, size_t quanti) {
  if (quanti <= s.capienza - s.usati) {
    std::memcpy(s.blocco.get() + s.usati, dati, quanti);
    s.usati += quanti;
  } else {
    scrivi_byte_lento(s, dati, quanti);
  }
}
inline void scrivi_u8(scrittore& s, uint8_t v) { scrivi_byte(s, &v, 1); }
void scrivi_i16(scrittore& s, int16_t v);
void scrivi_i32(scrittore& s, int32_t v);
void scrivi_f64(scrittore& s, double v);

// A failed file operation: which file, and the system's reason.
struct errore_file {
  std::filesystem::path file;
  std::string motivo;
};

// One line for people: "FILE: REASON".
std::string descrivi(const errore_file& e);

struct file_da_scrivere {
  std::filesystem::path destinazione;
  std::function<void(scrittore&)> produci;
};

// Suffixes of the names the replacement uses beside each target: the new file
// while it is written, and the earlier file while the set is being moved into
// place. Nothing with either is left behind.
inline constexpr std::string_view suffisso_temporaneo = ".nuovo~";
inline constexpr std::string_view suffisso_custode = ".vecchio~";

// Writes the set. Every file goes to its temporary first; only when all are
// complete and closed are they moved over their targets, and should one move
// fail, the targets already moved are put back. On any failure the targets
// stay exactly as they were, nothing of ours is left, and the first failure is
// returned (naming the target and the system's reason).
std::optional<errore_file> sostituisci_file(std::span<const file_da_scrivere> insieme);
