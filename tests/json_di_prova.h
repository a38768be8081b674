// A strict JSON syntax check for the tests of the tool's --json outputs: one
// value, nothing after it; strings without raw control characters; numbers as
// JSON writes them.
#pragma once

#include <cctype>
#include <string_view>

namespace prova {

struct analisi_json {
  std::string_view t;
  size_t i = 0;

  void spazi() {
    while (i < t.size() && (t[i] == ' ' || t[i] == '\n' || t[i] == '\r' || t[i] == '\t')) ++i;
  }
  bool prendi(char c) {
    spazi();
    if (i < t.size() && t[i] == c) {
      ++i;
      return true;
    }
    return false;
  }
  bool parola(std::string_view w) {
    if (t.substr(i, w.size()) != w) return false;
    i += w.size();
    return true;
  }
  bool cifre() {
    size_t inizio = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    return i > inizio;
  }
  bool numero() {
    if (i < t.size() && t[i] == '-') ++i;
    if (i < t.size() && t[i] == '0') {
      ++i;
    } else if (!cifre()) {
      return false;
    }
    if (i < t.size() && t[i] == '.' && (++i, !cifre())) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
      ++i;
      if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
      if (!cifre()) return false;
    }
    return true;
  }
  bool stringa() {
    if (!prendi('"')) return false;
    while (i < t.size() && t[i] != '"') {
      auto c = static_cast<unsigned char>(t[i]);
      if (c < 0x20) return false;
      if (c == '\\') {
        ++i;
        if (i >= t.size()) return false;
        if (t[i] == 'u') {
          for (int k = 0; k < 4; ++k) {
            if (++i >= t.size() || !std::isxdigit(static_cast<unsigned char>(t[i]))) return false;
          }
        } else if (std::string_view("\"\\/bfnrt").find(t[i]) == std::string_view::npos) {
          return false;
        }
      }
      ++i;
    }
    return prendi('"');
  }
  bool valore() {
    spazi();
    if (i >= t.size()) return false;
    char c = t[i];
    if (c == '{') {
      ++i;
      if (prendi('}')) return true;
      do {
        spazi();
        if (!stringa() || !prendi(':') || !valore()) return false;
      } while (prendi(','));
      return prendi('}');
    }
    if (c == '[') {
      ++i;
      if (prendi(']')) return true;
      do {
        if (!valore()) return false;
      } while (prendi(','));
      return prendi(']');
    }
    if (c == '"') return stringa();
    if (c == 't') return parola("true");
    if (c == 'f') return parola("false");
    if (c == 'n') return parola("null");
    return numero();
  }
};

// True when the text is one well-formed JSON value.
inline bool json_valido(std::string_view testo) {
  analisi_json a{testo};
  if (!a.valore()) return false;
  a.spazi();
  return a.i == testo.size();
}

}  // namespace prova
