// The ignore filters: markup, addresses, quoted lines, capitals, numbers and abbreviations.
#pragma once

#include "spell/Lx3parserbase.h"

#include <string>

// A filter that lets everything be checked; the filters below override what they need.
class TParserIgnoreBase : public TParserIgnore {
public:
  bool NeededBeforeCheck() override { return false; }
  bool LineCheckNeeded() override { return false; }
  bool ExecuteIgnore(char, TControlParser*) override { return false; }
  bool ExecuteWordIgnorePreCheck(const std::string&, TControlParser*) override { return false; }
  bool ExecuteWordIgnorePostCheck(const std::string&, TControlParser*) override { return false; }
  bool ExecuteLineIgnore(const std::string&) override { return false; }
};

// Skips tags, comments and server blocks; lets character entities pass.
class THTMLIgnore : public TParserIgnoreBase {
public:
  bool NeededBeforeCheck() override { return true; }
  bool ExecuteIgnore(char Ch, TControlParser* Parser) override;
  bool ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser* Parser) override;
};

// Skips addresses that start with a known scheme, mail addresses and names beginning with "www.".
class TURLIgnore : public TParserIgnoreBase {
public:
  bool NeededBeforeCheck() override { return true; }
  bool ExecuteWordIgnorePreCheck(const std::string& Word, TControlParser* Parser) override;
  bool ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser* Parser) override;
};

// Lets the words of lines that begin with a quote character pass.
class TQuotedLineIgnore : public TParserIgnoreBase {
public:
  explicit TQuotedLineIgnore(std::string Quotes = ">") : QuoteChars(std::move(Quotes)) {}
  bool LineCheckNeeded() override { return true; }
  bool ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser* Parser) override;
  bool ExecuteLineIgnore(const std::string& Line) override;

  std::string QuoteChars;
};

// Lets words written in capitals (and words without letters) pass.
class TUppercaseWordIgnore : public TParserIgnoreBase {
public:
  bool ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser* Parser) override;
};

// Lets words that hold a digit pass.
class TNumbersIgnore : public TParserIgnoreBase {
public:
  bool ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser* Parser) override;
};

// Lets abbreviations of single letters with periods (e.g.) pass.
class TAbbreviationsIgnore : public TParserIgnoreBase {
public:
  bool ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser* Parser) override;
};
