#include "export/assemble.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "export/export_syntax.h"

namespace lorvex_test {
namespace {

const char* tool(lorvex_Target target) { return target == lorvex_Target::acme ? "acme" : "cl65"; }

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool save(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace

const char* assemblerPackage(lorvex_Target target) {
  return target == lorvex_Target::acme ? "acme" : "cc65";
}

bool haveAssembler(lorvex_Target target) {
  const std::string probe = std::string("command -v ") + tool(target) + " >/dev/null 2>&1";
  return std::system(probe.c_str()) == 0;
}

bool mustRunTools() {
  const char* ci = std::getenv("CI");
  return ci && std::string(ci) == "true";
}

bool assembleIn(const std::string& dir, lorvex_Target target, const std::string& name,
                const std::string& text, Bytes& prg, std::string& log) {
  const std::string source = name + lorvex_targetSyntax(target).extension;
  if (!save(dir + "/" + source, text)) {
    log = "cannot write " + source;
    return false;
  }
  std::string command;
  if (target == lorvex_Target::acme) {
    command = "acme -f cbm -o " + name + ".prg " + source;
  } else {
    if (!save(dir + "/ca65.cfg", lorvex_CA65_CONFIG)) {
      log = "cannot write ca65.cfg";
      return false;
    }
    command = "cl65 -C ca65.cfg -o " + name + ".prg " + source;
  }
  const std::string line = "cd '" + dir + "' && " + command + " >" + name + ".log 2>&1";
  const bool built = std::system(line.c_str()) == 0;
  log = slurp(dir + "/" + name + ".log");
  if (!built) return false;
  const std::string bytes = slurp(dir + "/" + name + ".prg");
  prg.assign(bytes.begin(), bytes.end());
  return true;
}

std::string hexText(const Bytes& bytes) {
  std::string text;
  char pair[4];
  for (unsigned char b : bytes) {
    std::snprintf(pair, sizeof pair, "%02x", b);
    if (!text.empty()) text += ' ';
    text += pair;
  }
  return text;
}

}  // namespace lorvex_test
