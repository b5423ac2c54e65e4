// A small command-line option parser. It never prints and never exits: it
// gathers error texts, and the caller decides what to do with them.
#ifndef LORVEX_SUPPORT_KIO_GETOPT_H
#define LORVEX_SUPPORT_KIO_GETOPT_H

#include <memory>
#include <string>
#include <vector>

// One registered option.
class kio_GetoptOption {
 public:
  // argumentType: 0 none, 1 optional, 2 required (anything else acts as 0).
  // valueList, when not null, makes the option multiple: every argument it
  // receives is appended to that caller-owned vector.
  kio_GetoptOption(const char* shortName, const char* longName, const char* helpText,
                   int argumentType, const char* argumentName,
                   std::vector<std::string>* valueList);

  bool isOptionSet() const { return optionSet; }
  bool isMultiple() const { return valueList != nullptr; }
  void setOption(bool set) { optionSet = set; }
  std::string getArgument() const { return argument; }
  void setArgument(std::string text);

  const std::string& getShortName() const { return shortName; }
  const std::string& getLongName() const { return longName; }
  const std::string& getHelpText() const { return helpText; }
  int getArgumentType() const { return argumentType; }
  const std::string& getArgumentName() const { return argumentName; }

 private:
  std::string shortName;
  std::string longName;
  std::string helpText;
  int argumentType;
  std::string argumentName;
  std::vector<std::string>* valueList;
  bool optionSet = false;
  std::string argument;
};

class kio_Getopt {
 public:
  kio_Getopt() = default;

  void addOption(const char* shortName, const char* longName, const char* helpText,
                 int argumentType, const char* argumentName,
                 std::vector<std::string>* valueList);

  // Examines argv[1] .. argv[argc - 1]; argv[0] is never looked at.
  void parse(int argc, const char* const* argv);

  std::vector<std::string> errors() const { return errorList; }
  std::vector<std::string> looseOptions() const { return looseList; }

  // Both find a given option by its short or its long name.
  bool isOptionSet(const char* name) const;
  // The empty string when no given option carries the name.
  std::string getArgument(const char* name) const;

  // The option list of the help screen, to standard output.
  void printHelp() const;

 private:
  const kio_GetoptOption* findSet(const std::string& name) const;

  std::vector<std::unique_ptr<kio_GetoptOption>> optionList;
  std::vector<std::string> looseList;
  std::vector<std::string> errorList;
  int helpWidth = 0;
};

#endif  // LORVEX_SUPPORT_KIO_GETOPT_H
