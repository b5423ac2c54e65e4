#include "support/kio_getopt.h"

#include <iostream>
#include <utility>

namespace {

bool startsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Short form "-x" or "/x", long form "--name"; the whole remainder must match.
bool matches(const std::string& word, const kio_GetoptOption& option) {
  const std::string& shortName = option.getShortName();
  if ((startsWith(word, "-") || startsWith(word, "/")) && !shortName.empty() &&
      word.compare(1, std::string::npos, shortName) == 0) {
    return true;
  }
  const std::string& longName = option.getLongName();
  return startsWith(word, "--") && !longName.empty() &&
         word.compare(2, std::string::npos, longName) == 0;
}

int columnWidth(const char* shortName, const char* longName, const char* argumentName) {
  const std::string shortText(shortName), longText(longName), argumentText(argumentName);
  int width = shortText.empty() ? 4 : 3 + static_cast<int>(shortText.size());
  if (!longText.empty()) width += 2 + static_cast<int>(longText.size());
  if (!argumentText.empty()) width += 3 + static_cast<int>(argumentText.size());
  return width;
}

std::string helpColumn(const kio_GetoptOption& option) {
  std::string column = " ";
  column += option.getShortName().empty() ? "  " : "-" + option.getShortName();
  column += "/";
  if (!option.getLongName().empty()) column += "--" + option.getLongName();
  const std::string& argumentName = option.getArgumentName();
  if (!argumentName.empty()) {
    if (option.getArgumentType() == 1) column += " [" + argumentName + "]";
    if (option.getArgumentType() == 2) column += " <" + argumentName + ">";
  }
  return column;
}

}  // namespace

kio_GetoptOption::kio_GetoptOption(const char* shortName_, const char* longName_,
                                   const char* helpText_, int argumentType_,
                                   const char* argumentName_,
                                   std::vector<std::string>* valueList_)
    : shortName(shortName_),
      longName(longName_),
      helpText(helpText_),
      argumentType(argumentType_),
      argumentName(argumentName_),
      valueList(valueList_) {}

void kio_GetoptOption::setArgument(std::string text) {
  if (valueList != nullptr) valueList->push_back(text);
  argument = std::move(text);
}

void kio_Getopt::addOption(const char* shortName, const char* longName, const char* helpText,
                           int argumentType, const char* argumentName,
                           std::vector<std::string>* valueList) {
  const int width = columnWidth(shortName, longName, argumentName);
  if (width > helpWidth) helpWidth = width;
  optionList.push_back(std::make_unique<kio_GetoptOption>(shortName, longName, helpText,
                                                          argumentType, argumentName, valueList));
}

void kio_Getopt::parse(int argc, const char* const* argv) {
  kio_GetoptOption* pending = nullptr;
  std::string pendingWord;
  auto reportMissingArgument = [&] {
    if (pending != nullptr && pending->getArgumentType() == 2) {
      errorList.push_back(pendingWord + " must be followed by an argument.");
    }
  };

  for (int i = 1; i < argc; ++i) {
    const std::string word(argv[i]);
    bool matched = false;
    // Every option is tried: one word may select several options.
    for (const auto& option : optionList) {
      if (!matches(word, *option)) continue;
      matched = true;
      if (option->isOptionSet() && !option->isMultiple()) {
        errorList.push_back(word + " can only be specified once.");
        continue;
      }
      reportMissingArgument();
      option->setOption(true);
      pending = option.get();
      pendingWord = word;
    }
    if (matched) continue;

    const int pendingType = pending != nullptr ? pending->getArgumentType() : 0;
    if (pendingType == 1 || pendingType == 2) {
      pending->setArgument(word);
      pending = nullptr;
    } else if (startsWith(word, "-")) {
      errorList.push_back(word + " is not a valid option.");
    } else {
      looseList.push_back(word);
    }
  }
  reportMissingArgument();
}

const kio_GetoptOption* kio_Getopt::findSet(const std::string& name) const {
  for (const auto& option : optionList) {
    if (option->isOptionSet() &&
        (option->getShortName() == name || option->getLongName() == name)) {
      return option.get();
    }
  }
  return nullptr;
}

bool kio_Getopt::isOptionSet(const char* name) const { return findSet(name) != nullptr; }

std::string kio_Getopt::getArgument(const char* name) const {
  const kio_GetoptOption* option = findSet(name);
  return option != nullptr ? option->getArgument() : std::string();
}

void kio_Getopt::printHelp() const {
  for (const auto& option : optionList) {
    std::string line = helpColumn(*option);
    if (static_cast<int>(line.size()) < helpWidth) line.resize(helpWidth, ' ');
    std::cout << line << ' ' << option->getHelpText() << std::endl;
  }
}
