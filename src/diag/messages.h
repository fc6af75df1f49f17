// The message catalogue: every text the assembler reports, by the operation that reports it.
// Each is a printf format; the reporting operations check their arguments against it.
// A zero flag with a precision ("%04.4X", "%02.02X") prints exactly what the zero flag alone
// prints ("%04X", "%02X") for every value passed here; the compilers reject the redundant form
// under -Werror, so the catalogue and the listing formats use the plain one.
#pragma once

namespace zelas::msg {

// ---- Fatal (reportFatal) --------------------------------------------------------------------
#define ZELAS_FATAL_MESSAGES(X)                                                                    \
  X(pcBeyondImage,                                                                                 \
    "PC > maxPC from first pass (%X>%X); Cannot continue; Check previous warnings/errors.")        \
  X(pcAtOrBeyondImage,                                                                             \
    "PC >= maxPC from first pass (%X>=%X); Cannot continue; Check previous warnings/errors.")      \
  X(internalNewMacParam,                                                                           \
    "** Internal ERROR: Macro not passed to newMacParam. Report error to zelas support.\n")        \
  X(internalNewMacLine,                                                                            \
    "** Internal ERROR: Macro not passed to newMacLine. Report error to zelas support.\n")         \
  X(newMacroInBody, "New MACRO Reached: 'ENDM' missing in '%s' macro definition.")                 \
  X(eofInMacroBody, "EOF Reached: 'ENDM' missing in '%s' macro definition.")                       \
  X(internalResolveMacro,                                                                          \
    "** Internal ERROR: Macro not passed to resolveMacro. Report error to zelas support.\n")       \
  X(internalBuildLine,                                                                             \
    "** Internal ERROR: Macro not passed to buildLine. Report error to zelas support.\n")          \
  /* Resource limits, so that a cycle or a runaway source ends with a report */                    \
  /* instead of exhausting the machine. */                                                         \
  X(includeTooDeep,                                                                                \
    "Include nesting deeper than %d levels: '%s' includes itself or nests too deeply.")            \
  X(macroTooDeep, "Macro nesting deeper than %d levels: '%s' invokes itself or nests too deeply.") \
  X(condTooDeep, "Conditional nesting deeper than %d levels.")                                     \
  X(imageTooLarge, "ROM image of %X bytes exceeds the limit of %X bytes; Cannot continue.")        \
  X(tooManyExpandedLines,                                                                          \
    "Macro expansions replay more than %d lines in one pass; stopped while expanding '%s'.")       \
  X(tooManyIncludes, "More than %d files included in one pass; stopped at '%s'.")                  \
  X(tooManyRereadLines,                                                                            \
    "Macro expansions and files included again replay more than %d lines in one pass; "            \
    "stopped reading '%s'.")                                                                       \
  X(includesListing, "'%s' is the listing being written; it can't be read as source.")             \
  /* The file layer: a text that is not whole, or not the same in both passes, */                  \
  /* gives no image. */                                                                            \
  X(readFailed, "Read error in '%s'; Cannot continue.")                                            \
  X(fileChanged, "'%s' changed while it was being assembled; Cannot continue.")                    \
  /* A file that can't be opened: the driver writes its own classic text, these go as records */   \
  X(fileNotFound, "Unable to open '%s'")                                                           \
  X(configNotFound, "Unable to open config file, '%s': Using default values.")                     \
  X(tooManyReports, "More than %d reports; Cannot continue; --max-reports=N sets the bound.")

// ---- Error (reportError) --------------------------------------------------------------------
#define ZELAS_ERROR_MESSAGES(X)                                                               \
  X(lineTooLong, "Line %d' exceeds maximum line length")                                      \
  X(localOutsideScope, "Local labels can not be defined outside of a global label's scope!")  \
  X(orgDecrements, "ORG attempts to decrement PC address")                                    \
  X(orgUnresolved,                                                                            \
    "Unable to resolve ORG in first pass, labels following will be incorrect on second "      \
    "pass.\n'%s'")                                                                            \
  X(orgOutOfRomFixed, "ROM address out of range, '%04Xh' >= %04Xh, pc not changed.")          \
  X(missingDefineToken, "Missing token to define")                                            \
  X(strayElse, "ELSE without a matching IF; ignored.")                                        \
  X(strayEndif, "ENDIF without a matching IF; ignored.")                                      \
  X(condOpenAtEnd, "Missing ENDIF: %d conditional block(s) open at end of source.")           \
  X(illegalOperands, "Illegal operands for instruction")                                      \
  X(missingOperand, "Missing operand for instruction")                                        \
  X(illegalForCpu, "Illegal instruction for this CPU")                                        \
  X(illegalForAllCpus, "Illegal instruction for all CPUs")                                    \
  X(illegalIncDec, "Illegal operands for 'INC/DEC'")                                          \
  X(missingIncDec, "Missing operand for 'INC/DEC'")                                           \
  X(illegalPushPop, "Illegal operand for 'PUSH/POP'")                                         \
  X(missingPushPop, "Missing operand for 'PUSH/POP'")                                         \
  X(illegalSwap, "Illegal operand for 'SWAP'")                                                \
  X(missingSwap, "Missing operands for 'SWAP'")                                               \
  X(illegalForProduct, "Illegal instruction for this product")                                \
  X(callUpperToLower, "Calls to lower 4K block from upper 4K block are illegal")              \
  X(jumpUpperToLower, "Jumps and Indexing from upper 4K block to lower 4K block are illegal") \
  X(jumpLowerToUpper, "Jumps and Indexing from lower 4K block to upper 4K block are illegal") \
  X(unableToWrite, "Unable to write '%s'\n")                                                  \
  X(macroBeforeDefinition, "Macro '%s' is referenced before it is defined.")                  \
  X(labelMoved,                                                                               \
    "Label '%s' moved from %04Xh in pass 1 to %04Xh in pass 2; references to it may use "     \
    "the wrong address.")                                                                     \
  X(romOverflow,                                                                              \
    "Program does not fit the ROM: code or data at '%04Xh' >= %04Xh, the ROM size; the "      \
    "program reaches %04Xh.")

// ---- Warning (reportWarning) ----------------------------------------------------------------
#define ZELAS_WARNING_MESSAGES(X)                                                                  \
  X(missingQuote, "Missing '\"' to string")                                                        \
  X(badConfigTab, "Unable to resolve config value '%s': Using default, tab = %i.\n")               \
  X(badConfigFill, "Unable to resolve config value '%s': Using default, fillrom = %Xh.\n")         \
  X(delimiterRequired, "Space or tab delimiter required after '%s'.")                              \
  X(missingClosingQuote, "Expecting a character data type, missing closing '.")                    \
  X(badCharacter, "Expecting an AlphaNumeric or Operator: Found '%c'")                             \
  X(missingPunctuation, "Missing punctuation '%c'")                                                \
  X(localAlreadyDefined, "Local '%s' is already defined")                                          \
  X(labelAlreadyDefined, "Label '%s' is already defined")                                          \
  X(missingOpenParen, "Illegal expression, missing '('")                                           \
  X(noValueToNegate, "Illegal expression, No value to negate.")                                    \
  X(noValueToComplement, "Illegal expression, No value to complement.")                            \
  X(twoOperandsMul, "Illegal expression, Two operands are required for multiplication.")           \
  X(divideByZero, "Divide by zero encountered. '%d / %d'.")                                        \
  X(twoOperandsDiv, "Illegal expression, Two operands are required for division.")                 \
  X(twoOperandsAdd, "Illegal expression, Two operands are required for addition.")                 \
  X(twoOperandsSub, "Illegal expression, Two operands are required for subtraction.")              \
  X(twoOperandsAnd, "Illegal expression, Two operands are required for Bitwise AND.")              \
  X(twoOperandsXor, "Illegal expression, Two operands are required for Bitwise XOR.")              \
  X(twoOperandsOr, "Illegal expression, Two operands are required for Bitwise OR.")                \
  X(charTooLong, "Character data type cannot exceed 2 characters: %s")                             \
  X(illegalExpression, "Illegal Expression")                                                       \
  X(labelUnresolved, "Label '%s' is currently unresolved.")                                        \
  X(unresolvedOperand, "Unable to resolve operand '%s'")                                           \
  X(missingOperator, "Missing operator in expression. Last calculated value used.")                \
  X(unknownInstruction, "Illegal or unknown instruction '%s'.")                                    \
  X(equMissingLabel, "Missing label for EQU")                                                      \
  X(equMissingOperand, "EQU requires an operand.")                                                 \
  X(orgOutOfRom, "ROM address out of range, '%04Xh' >= %04Xh")                                     \
  X(fillromMissingOperand, "FILLROM requires an operand.")                                         \
  X(unknownProduct, "Product ID '%s'is unknown!")                                                  \
  X(tooManyOperands, "Too many operands")                                                          \
  X(movXIndexed, "Illegal instruction MOV X,[X+expr]")                                             \
  X(tooManyMovOperands, "Too many operands for a MOV instruction")                                 \
  X(expectedCommaA, "',a' Expected as second operand.")                                            \
  X(tooManyIncDecA, "Too many operands for 'INC/DEC a' instruction.")                              \
  X(tooManyIncDecX, "Too many operands for 'INC/DEC x' instruction.")                              \
  X(tooManyIncDecMem, "Too many operands for 'INC/DEC []' instruction.")                           \
  X(tooManyForInstruction, "Too many operands for instruction.")                                   \
  X(noOperandsAllowed, "No operands allowed for instruction.")                                     \
  X(tooManyPushPopA, "Too many operands for 'PUSH/POP a' instruction.")                            \
  X(tooManyPushPopX, "Too many operands for 'PUSH/POP x' instruction.")                            \
  X(tooManySwap, "Too many operands for 'SWAP' instruction.")                                      \
  X(tooManyLogic, "Too many operands for 'LOGIC' instruction.")                                    \
  X(tooManyIpret, "Too many operands for 'IPRET' instruction.")                                    \
  X(iowxExpectsIndex, "IOWX expects 'x +' within square brackets.")                                \
  X(illegalIoOperand, "Illegal operand for IO read or write.")                                     \
  X(tooManyIo, "Too many operands for 'IO' instruction.")                                          \
  X(pageCrossing, "Following instruction crosses page boundary. WILL NOT EXECUTE CORRECTLY!")      \
  X(macroRedefinesReserved, "Macro - '%s' - is re-defining a reserved mnemonic.")                  \
  X(macroAlreadyDefined, "Macro - '%s' - already defined")                                         \
  X(macroNameMissing, "Bad macro definition: Macro name not found.")                               \
  X(tooManyParamsPlural,                                                                           \
    "Too many parameters. Macro '%s' requires %d parameters separated by a comma.")                \
  X(missingParamsPlural, "Macro '%s' requires %d parameters separated by a comma.")                \
  X(missingParamSingular, "Macro '%s' requires %d parameter.")                                     \
  X(tooManyParamsSingular, "Too many parameters. Macro '%s' requires %d parameter.")               \
  X(expandedLineTooLong, "Expanded macro line exceeds maximum line length; cut to %d characters.") \
  X(strayItemText, "Unexpected '%c' in operand list; rest of line ignored.")                       \
  X(reportsLeftOut, "%d more reports on this line left out.")

// ---- Minor warning (reportMinorWarning, suppressed by -b) -----------------------------------
#define ZELAS_MINOR_WARNING_MESSAGES(X)                                      \
  X(labelRedefinedAsNumber, "'%s' has been redefined as a label = '%X'")     \
  X(equUndefinedAfterPass1, "Label '%s' undefined after first pass.\n")      \
  X(largerThanByte, "'%02Xh' is larger than a byte.")                        \
  X(largerThanWord, "'%02Xh' is larger than a word (16bits)")                \
  X(nonexistentRam, "Nonexistent RAM address, '%02Xh'")                      \
  X(dataOutOfRange, "Data out of range, '%d' >= '%d'")                       \
  X(ioOutOfRange, "IO address out of range, '%02Xh' >= '%02Xh'")             \
  X(callOutOfRange, "Operand address out of range, '%04Xh' >= %04Xb")        \
  X(tooManyAddressOperands, "Too many operands for an address instruction.") \
  X(jumpOutOfRange, "Operand address out of range, '%04Xh' >= %04Xh")        \
  X(pageCrossingXpageOff, "Page crossing detected and XPAGEOFF enabled.")

// Every message above, in catalogue order, as X(name, text): the constants below and the rule
// ids of the diagnostic records (diag/diagnostic.h) are both made from this one list.
#define ZELAS_REPORTED_MESSAGES(X) \
  ZELAS_FATAL_MESSAGES(X)          \
  ZELAS_ERROR_MESSAGES(X) ZELAS_WARNING_MESSAGES(X) ZELAS_MINOR_WARNING_MESSAGES(X)

#define ZELAS_DECLARE_MESSAGE(name, text) inline constexpr char name[] = text;
ZELAS_REPORTED_MESSAGES(ZELAS_DECLARE_MESSAGE)
#undef ZELAS_DECLARE_MESSAGE

// ---- Driver messages, written directly to standard error ------------------------------------
inline constexpr char noInputFile[] = "\nError : No input file specified\n";
inline constexpr char unableToCreate[] = "\nError : Unable to create '%s'\n";
inline constexpr char missingSwitchArgument[] = "\nError : Missing argument to switch\n";
inline constexpr char unableToOpen[] = "\nError : Unable to open '%s'\n";
inline constexpr char notRegularFile[] =
    "\nError : Unable to open '%s': not a regular file (a folder, a device or a pipe)\n";
inline constexpr char outputIsInput[] =
    "\nError : Output '%s' is '%s', which this run reads; nothing written\n";
inline constexpr char outputsCollide[] =
    "\nError : Outputs '%s' and '%s' are the same file; nothing written\n";
inline constexpr char nameTooLong[] =
    "\nError : File name too long (at most %d characters): '%s'\n";
inline constexpr char configMissingConsole[] =
    "\nWarning : Unable to open config file, '%s': Using default values.\n";
inline constexpr char configMissingListing[] =
    "**** Warning : Unable to open config file, '%s': Using default values.\n\n";
inline constexpr char configNotice[] = "\n Using Configuration File '%s'.\n\n";
inline constexpr char outOfMemory[] = "\nError : Out of memory\n";
inline constexpr char unknownOption[] = "\nError : unknown option '%s'\n";
inline constexpr char badOptionValue[] = "\nError : invalid value '%s' for option '%s'\n";
inline constexpr char missingOptionValue[] = "\nError : option '%s' requires a value\n";
inline constexpr char licenceNotice[] =
    "Copyright (c) 2026 The zelas developers\n"
    "MIT License: free to use, copy, modify and distribute, without warranty; see LICENSE.\n";
inline constexpr char depsNameLeftOut[] =
    "\nWarning : make can't name '%s' in a rule; left out of '%s'.\n";
inline constexpr char symbolLeftOut[] =
    "\nWarning : '%s' is too long for a line of '%s'; left out.\n";
inline constexpr char unknownProductOption[] = "\nWarning : Product ID '%s'is unknown!\n";
inline constexpr char valueMustBeJoined[] =
    "\nNote : -%c takes its value joined to it, as in '-%c%s'; '%s' is read as the source "
    "name.\n";

// ---- GNU-style diagnostics (--diagnostics=gnu) ----------------------------------------------
inline constexpr char inExpansionOfMacro[] = "in expansion of macro '%s'";
inline constexpr char expansionsLeftOut[] = "%d more macro expansions left out here";

// ---- Disassembler (zelas-dis), written directly to standard error ---------------------------
inline constexpr char disUsage[] = "Usage: zelas-dis [-p PRODUCT] [-e] [-o OUT.asm] IMAGE\n";
inline constexpr char disHelp[] =
    "Usage: zelas-dis [-p PRODUCT] [-e] [-o OUT.asm] IMAGE\n"
    "Writes the source of a ROM image (an Intel HEX file or a .rom dump) that zelas\n"
    "assembles back to the same image.\n"
    "\n"
    "  -p PRODUCT  the product the image is for (default: the first of the table)\n"
    "  -e          accept addresses beyond the product's ROM (images made with -e)\n"
    "  -o OUT.asm  write the source to OUT.asm instead of standard output\n"
    "  --help      show this text and exit\n";
inline constexpr char disFault[] = "zelas-dis: %s\n";
inline constexpr char disUnknownOption[] = "unknown option '%s'";
inline constexpr char disMissingValue[] = "option '%s' requires a value";
inline constexpr char disUnknownProduct[] = "unknown product '%s'";
inline constexpr char disNoImage[] = "no image file given";
inline constexpr char disUnableToOpen[] = "unable to open '%s'";
inline constexpr char disUnableToCreate[] = "unable to create '%s'";
inline constexpr char disNotRegular[] =
    "unable to open '%s': not a regular file (a folder, a device or a pipe)";
inline constexpr char disReadFailed[] = "read error in '%s'";
inline constexpr char disLineTooLong[] = "line longer than %zu characters: no image text";
inline constexpr char disOutputIsImage[] = "output '%s' is the image '%s' being read";
inline constexpr char disAtLine[] = "%s:%d: %s";
inline constexpr char hexNoColon[] = "record does not start with ':'";
inline constexpr char hexMalformed[] = "malformed record: pairs of hexadecimal digits expected";
inline constexpr char hexCountMismatch[] = "record holds %d data bytes, its byte count says %d";
inline constexpr char hexBadChecksum[] = "bad checksum %02Xh, the record needs %02Xh";
inline constexpr char hexUnsupportedType[] = "unsupported record type %02Xh";
inline constexpr char hexBadEndRecord[] = "malformed end record";
inline constexpr char hexBadExtended[] = "malformed extended linear address record";
inline constexpr char hexOverlap[] = "record overlaps an earlier record at address %04Xh";
inline constexpr char hexAfterEnd[] = "text after the end record";
inline constexpr char hexNoEnd[] = "no end record: the file is truncated";
inline constexpr char romBadToken[] = "'%s' is not a two-digit hexadecimal byte";
inline constexpr char imageBeyondRom[] =
    "address %04Xh lies beyond the %04Xh-byte ROM of %s (images made with -e need -e)";
inline constexpr char imageBeyondLimit[] =
    "address %Xh lies beyond the largest image the assembler builds (%X bytes)";

// ---- Language server (zelas --lsp): JSON-RPC errors and the texts shown in the editor --------
inline constexpr char lspMalformedFrame[] =
    "malformed frame: a header with a decimal Content-Length is required";
inline constexpr char lspFrameTooLarge[] = "frame larger than %zu bytes: its body was skipped";
inline constexpr char lspParseError[] = "invalid JSON: %s";
inline constexpr char lspInvalidRequest[] = "not a JSON-RPC 2.0 request";
inline constexpr char lspMethodNotFound[] = "unknown method '%s'";
inline constexpr char lspInvalidParams[] = "invalid params for '%s'";
inline constexpr char lspNotInitialized[] = "the server is not initialized";
inline constexpr char lspShutDown[] = "the server is shutting down";
inline constexpr char lspCancelled[] = "request cancelled";
inline constexpr char lspDocumentNotOpen[] = "document not open: %s";
inline constexpr char lspNothingToRename[] = "no label, equ name or macro to rename here";
inline constexpr char lspInvalidName[] = "'%s' is not a valid name here";
inline constexpr char lspInExpansionOf[] = "in expansion of this invocation";
// Hovers, in Markdown.
inline constexpr char lspHoverCodeLabel[] = "**%s**: code label at %04Xh";
inline constexpr char lspHoverLocalLabel[] = "**%s**: local label of %s at %04Xh";
inline constexpr char lspHoverConstant[] = "**%s**: equ %Xh (%d)";
inline constexpr char lspHoverUnresolved[] = "**%s**: value unresolved";
inline constexpr char lspHoverMacro[] = "**%s**: macro";
inline constexpr char lspHoverCodeLine[] = "`%04X %s [%02d]`";
inline constexpr char lspHoverFillers[] = "page fillers before it: %s";
inline constexpr char lspHoverMnemonicHead[] =
    "**%s**\n\n| form | opcode | bytes | cycles | families |\n|---|---|---|---|---|";
inline constexpr char lspHoverMnemonicRow[] = "\n| %s | %02Xh | %d | %d | %s |";
inline constexpr char lspHoverProduct[] = "**%s**: CPU family %s, RAM %s (%d bytes), ROM %d bytes";
// Inlay hints: a line's address, bytes and cycles, and a mark for page fillers.
inline constexpr char lspHintCodeLine[] = "%04X: %s [%d]";
inline constexpr char lspHintFillers[] = " +%s";

}  // namespace zelas::msg
