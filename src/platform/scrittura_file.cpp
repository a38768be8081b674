// Buffered writing and the replacement of a set of files as a whole.
#include "platform/scrittura_file.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/piattaforma.h"

namespace {

template <typename T>
void scrivi_le(scrittore& s, T v) {
  unsigned char byte[sizeof(T)];
  std::memcpy(byte, &v, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) {
    for (size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(byte[i], byte[sizeof(T) - 1 - i]);
  }
  scrivi_byte(s, byte, sizeof(T));
}

namespace fs = std::filesystem;

// The reason of the last failed call, EIO when the system left none.
int ultimo_errno() { return errno != 0 ? errno : EIO; }

// Hands the rest of the bytes over, then flushes and closes the file; the
// first failure stays in `errno_guasto`.
void chiudi(scrittore& s) {
  svuota(s);
  if (s.errno_guasto == 0 && std::fflush(s.file) != 0) s.errno_guasto = ultimo_errno();
  if (std::fclose(s.file) != 0 && s.errno_guasto == 0) s.errno_guasto = ultimo_errno();
  s.file = nullptr;
}

fs::path con_suffisso(const fs::path& destinazione, std::string_view suffisso) {
  fs::path t = destinazione;
  t += std::string(suffisso);
  return t;
}

void rimuovi(const std::vector<fs::path>& file) {
  for (const auto& f : file) {
    std::error_code ignorato;
    fs::remove(f, ignorato);
  }
}

errore_file guasto(const fs::path& file, int codice) { return errore_file{file, std::strerror(codice)}; }
errore_file guasto(const fs::path& file, const std::error_code& e) { return errore_file{file, e.message()}; }

// A name of our own beside a target (a temporary or a keeper) may hold what an
// interrupted run left there; it is cleared first, so that opening it never
// follows a link out of the folder. A directory there is not ours to remove.
std::optional<errore_file> libera_nome(const fs::path& nome) {
  std::error_code e;
  const fs::file_status stato = fs::symlink_status(nome, e);
  if (!fs::exists(stato)) return std::nullopt;
  if (fs::is_directory(stato)) return guasto(nome, EISDIR);
  if (!fs::remove(nome, e) && e) return guasto(nome, e);
  return std::nullopt;
}

// Writes one file of a set through `s`, whose block the set's files share.
std::optional<errore_file> scrivi_temporaneo(const file_da_scrivere& f, const fs::path& temporaneo, scrittore& s) {
  errno = 0;
  std::FILE* file = apri_file(temporaneo, "wb");
  if (file == nullptr) return guasto(f.destinazione, ultimo_errno());
  s.file = file;
  s.percorso = temporaneo;
  s.usati = 0;
  s.errno_guasto = 0;
  f.produci(s);
  chiudi(s);
  if (s.errno_guasto != 0) return guasto(f.destinazione, s.errno_guasto);
  return std::nullopt;
}

// Keeps each earlier target reachable under a second name (a hard link, or a
// copy where the file system has no links) until the new set stands.
std::optional<errore_file> conserva_precedenti(std::span<const file_da_scrivere> insieme,
                                               std::vector<fs::path>& custodi, std::vector<bool>& esisteva) {
  for (const file_da_scrivere& f : insieme) {
    std::error_code e;
    esisteva.push_back(fs::exists(fs::symlink_status(f.destinazione, e)));
    custodi.push_back(con_suffisso(f.destinazione, suffisso_custode));
    if (!esisteva.back()) continue;
    if (auto errore = libera_nome(custodi.back())) return errore;
    fs::create_hard_link(f.destinazione, custodi.back(), e);
    if (e) {
      e.clear();
      fs::copy(f.destinazione, custodi.back(), fs::copy_options::copy_symlinks, e);
    }
    if (e) return guasto(f.destinazione, e);
  }
  return std::nullopt;
}

// Moves the targets replaced so far back to their earlier state, after a move
// failed half-way. An earlier file that cannot be put back keeps its second
// name, so that it is never lost.
std::string ripristina(std::span<const file_da_scrivere> insieme, size_t quanti, const std::vector<fs::path>& custodi,
                       const std::vector<bool>& esisteva) {
  std::string non_ripristinati;
  for (size_t i = 0; i < quanti; ++i) {
    std::error_code e;
    if (esisteva[i]) {
      fs::rename(custodi[i], insieme[i].destinazione, e);
    } else {
      fs::remove(insieme[i].destinazione, e);
    }
    if (e && esisteva[i]) non_ripristinati += "; the earlier file is kept as " + custodi[i].string();
  }
  return non_ripristinati;
}

}  // namespace

void svuota(scrittore& s) {
  if (s.usati == 0) return;
  if (s.errno_guasto == 0) {
    errno = 0;
    if (std::fwrite(s.blocco.get(), 1, s.usati, s.file) != s.usati) s.errno_guasto = ultimo_errno();
  }
  s.usati = 0;
}

unsigned char* spazio(scrittore& s, size_t quanti) {
  if (quanti > s.capienza - s.usati) {
    svuota(s);
    if (!s.blocco) {
      // Left uncleared: only the part that a file fills is ever touched.
      s.blocco.reset(static_cast<unsigned char*>(prendi_memoria(dimensione_blocco)));
      s.capienza = dimensione_blocco;
    }
  }
  return s.blocco.get() + s.usati;
}

bool apri_parte(scrittore& s, uint64_t inizio, scrittore& parte) {
  if (s.errno_guasto != 0) return false;
  errno = 0;
  parte.file = apri_file(s.percorso, "r+b");
  if (parte.file == nullptr) {
    s.errno_guasto = ultimo_errno();
    return false;
  }
  if (!sposta_a(parte.file, inizio)) {
    s.errno_guasto = ultimo_errno();
    std::fclose(parte.file);
    parte.file = nullptr;
    return false;
  }
  parte.percorso = s.percorso;
  return true;
}

void chiudi_parte(scrittore& s, scrittore& parte) {
  if (parte.file == nullptr) return;
  chiudi(parte);
  if (s.errno_guasto == 0) s.errno_guasto = parte.errno_guasto;
}

void scrivi_byte_lento(scrittore& s, const void* dati, size_t quanti) {
  const auto* p = static_cast<const unsigned char*>(dati);
  while (quanti > 0) {
    const size_t parte = std::min(quanti, dimensione_blocco);
    std::memcpy(spazio(s, parte), p, parte);
    avanza(s, parte);
    p += parte;
    quanti -= parte;
  }
}

void scrivi_i16(scrittore& s, int16_t v) { scrivi_le(s, v); }
void scrivi_i32(scrittore& s, int32_t v) { scrivi_le(s, v); }
void scrivi_f64(scrittore& s, double v) { scrivi_le(s, v); }

std::string descrivi(const errore_file& e) { return testo_da_percorso(e.file) + ": " + e.motivo; }

std::optional<errore_file> sostituisci_file(std::span<const file_da_scrivere> insieme) {
  std::vector<fs::path> temporanei;
  scrittore s;
  for (const file_da_scrivere& f : insieme) {
    std::error_code stato;
    std::optional<errore_file> errore;
    if (fs::is_directory(f.destinazione, stato)) errore = guasto(f.destinazione, EISDIR);
    const fs::path temporaneo = con_suffisso(f.destinazione, suffisso_temporaneo);
    if (!errore) errore = libera_nome(temporaneo);
    if (!errore) {
      temporanei.push_back(temporaneo);
      errore = scrivi_temporaneo(f, temporaneo, s);
    }
    if (errore) {
      rimuovi(temporanei);
      return errore;
    }
  }

  std::vector<fs::path> custodi;
  std::vector<bool> esisteva;
  if (auto errore = conserva_precedenti(insieme, custodi, esisteva)) {
    rimuovi(temporanei);
    rimuovi(custodi);
    return errore;
  }
  for (size_t i = 0; i < insieme.size(); ++i) {
    std::error_code e;
    fs::rename(temporanei[i], insieme[i].destinazione, e);
    if (e) {
      errore_file errore = guasto(insieme[i].destinazione, e);
      errore.motivo += ripristina(insieme, i, custodi, esisteva);
      rimuovi(temporanei);
      // Those put back have left their second name already; those beyond the
      // failed move were never replaced.
      rimuovi(std::vector<fs::path>(custodi.begin() + static_cast<std::ptrdiff_t>(i), custodi.end()));
      return errore;
    }
  }
  rimuovi(custodi);
  return std::nullopt;
}
