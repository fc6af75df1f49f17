// The message catalogue: every text the assembler reports, by the operation that reports it.
// Each is a printf format; the reporting operations check their arguments against it.
// A zero flag with a precision ("%04.4X", "%02.02X") prints exactly what the zero flag alone
// prints ("%04X", "%02X") for every value passed here; the compilers reject the redundant form
// under -Werror, so the catalogue and the listing formats use the plain one.
#pragma once

namespace zelas::msg {

// ---- Fatal (reportFatal) --------------------------------------------------------------------
inline constexpr char pcBeyondImage[] =
    "PC > maxPC from first pass (%X>%X); Cannot continue; Check previous warnings/errors.";
inline constexpr char pcAtOrBeyondImage[] =
    "PC >= maxPC from first pass (%X>=%X); Cannot continue; Check previous warnings/errors.";
inline constexpr char internalNewMacParam[] =
    "** Internal ERROR: Macro not passed to newMacParam. Report error to zelas support.\n";
inline constexpr char internalNewMacLine[] =
    "** Internal ERROR: Macro not passed to newMacLine. Report error to zelas support.\n";
inline constexpr char newMacroInBody[] =
    "New MACRO Reached: 'ENDM' missing in '%s' macro definition.";
inline constexpr char eofInMacroBody[] = "EOF Reached: 'ENDM' missing in '%s' macro definition.";
inline constexpr char internalResolveMacro[] =
    "** Internal ERROR: Macro not passed to resolveMacro. Report error to zelas support.\n";
inline constexpr char internalBuildLine[] =
    "** Internal ERROR: Macro not passed to buildLine. Report error to zelas support.\n";
// Resource limits, so that a cycle or a runaway source ends with a report instead of exhausting
// the machine.
inline constexpr char includeTooDeep[] =
    "Include nesting deeper than %d levels: '%s' includes itself or nests too deeply.";
inline constexpr char macroTooDeep[] =
    "Macro nesting deeper than %d levels: '%s' invokes itself or nests too deeply.";
inline constexpr char condTooDeep[] = "Conditional nesting deeper than %d levels.";
inline constexpr char imageTooLarge[] =
    "ROM image of %X bytes exceeds the limit of %X bytes; Cannot continue.";
inline constexpr char tooManyExpandedLines[] =
    "Macro expansions replay more than %d lines in one pass; stopped while expanding '%s'.";
inline constexpr char tooManyIncludes[] =
    "More than %d files included in one pass; stopped at '%s'.";
inline constexpr char includesListing[] =
    "'%s' is the listing being written; it can't be read as source.";
// The file layer: a text that is not whole, or not the same in both passes, gives no image.
inline constexpr char readFailed[] = "Read error in '%s'; Cannot continue.";
inline constexpr char fileChanged[] = "'%s' changed while it was being assembled; Cannot continue.";

// ---- Error (reportError) --------------------------------------------------------------------
inline constexpr char lineTooLong[] = "Line %d' exceeds maximum line length";
inline constexpr char localOutsideScope[] =
    "Local labels can not be defined outside of a global label's scope!";
inline constexpr char orgDecrements[] = "ORG attempts to decrement PC address";
inline constexpr char orgUnresolved[] =
    "Unable to resolve ORG in first pass, labels following will be incorrect on second "
    "pass.\n'%s'";
inline constexpr char orgOutOfRomFixed[] =
    "ROM address out of range, '%04Xh' >= %04Xh, pc not changed.";
inline constexpr char missingDefineToken[] = "Missing token to define";
inline constexpr char strayElse[] = "ELSE without a matching IF; ignored.";
inline constexpr char strayEndif[] = "ENDIF without a matching IF; ignored.";
inline constexpr char condOpenAtEnd[] =
    "Missing ENDIF: %d conditional block(s) open at end of source.";
inline constexpr char illegalOperands[] = "Illegal operands for instruction";
inline constexpr char missingOperand[] = "Missing operand for instruction";
inline constexpr char illegalForCpu[] = "Illegal instruction for this CPU";
inline constexpr char illegalForAllCpus[] = "Illegal instruction for all CPUs";
inline constexpr char illegalIncDec[] = "Illegal operands for 'INC/DEC'";
inline constexpr char missingIncDec[] = "Missing operand for 'INC/DEC'";
inline constexpr char illegalPushPop[] = "Illegal operand for 'PUSH/POP'";
inline constexpr char missingPushPop[] = "Missing operand for 'PUSH/POP'";
inline constexpr char illegalSwap[] = "Illegal operand for 'SWAP'";
inline constexpr char missingSwap[] = "Missing operands for 'SWAP'";
inline constexpr char illegalForProduct[] = "Illegal instruction for this product";
inline constexpr char callUpperToLower[] =
    "Calls to lower 4K block from upper 4K block are illegal";
inline constexpr char jumpUpperToLower[] =
    "Jumps and Indexing from upper 4K block to lower 4K block are illegal";
inline constexpr char jumpLowerToUpper[] =
    "Jumps and Indexing from lower 4K block to upper 4K block are illegal";
inline constexpr char unableToWrite[] = "Unable to write '%s'\n";
inline constexpr char macroBeforeDefinition[] = "Macro '%s' is referenced before it is defined.";

// ---- Warning (reportWarning) ----------------------------------------------------------------
inline constexpr char missingQuote[] = "Missing '\"' to string";
inline constexpr char badConfigTab[] =
    "Unable to resolve config value '%s': Using default, tab = %i.\n";
inline constexpr char badConfigFill[] =
    "Unable to resolve config value '%s': Using default, fillrom = %Xh.\n";
inline constexpr char delimiterRequired[] = "Space or tab delimiter required after '%s'.";
inline constexpr char missingClosingQuote[] = "Expecting a character data type, missing closing '.";
inline constexpr char badCharacter[] = "Expecting an AlphaNumeric or Operator: Found '%c'";
inline constexpr char missingPunctuation[] = "Missing punctuation '%c'";
inline constexpr char localAlreadyDefined[] = "Local '%s' is already defined";
inline constexpr char labelAlreadyDefined[] = "Label '%s' is already defined";
inline constexpr char missingOpenParen[] = "Illegal expression, missing '('";
inline constexpr char noValueToNegate[] = "Illegal expression, No value to negate.";
inline constexpr char noValueToComplement[] = "Illegal expression, No value to complement.";
inline constexpr char twoOperandsMul[] =
    "Illegal expression, Two operands are required for multiplication.";
inline constexpr char divideByZero[] = "Divide by zero encountered. '%d / %d'.";
inline constexpr char twoOperandsDiv[] =
    "Illegal expression, Two operands are required for division.";
inline constexpr char twoOperandsAdd[] =
    "Illegal expression, Two operands are required for addition.";
inline constexpr char twoOperandsSub[] =
    "Illegal expression, Two operands are required for subtraction.";
inline constexpr char twoOperandsAnd[] =
    "Illegal expression, Two operands are required for Bitwise AND.";
inline constexpr char twoOperandsXor[] =
    "Illegal expression, Two operands are required for Bitwise XOR.";
inline constexpr char twoOperandsOr[] =
    "Illegal expression, Two operands are required for Bitwise OR.";
inline constexpr char charTooLong[] = "Character data type cannot exceed 2 characters: %s";
inline constexpr char illegalExpression[] = "Illegal Expression";
inline constexpr char labelUnresolved[] = "Label '%s' is currently unresolved.";
inline constexpr char unresolvedOperand[] = "Unable to resolve operand '%s'";
inline constexpr char missingOperator[] =
    "Missing operator in expression. Last calculated value used.";
inline constexpr char unknownInstruction[] = "Illegal or unknown instruction '%s'.";
inline constexpr char equMissingLabel[] = "Missing label for EQU";
inline constexpr char equMissingOperand[] = "EQU requires an operand.";
inline constexpr char orgOutOfRom[] = "ROM address out of range, '%04Xh' >= %04Xh";
inline constexpr char fillromMissingOperand[] = "FILLROM requires an operand.";
inline constexpr char unknownProduct[] = "Product ID '%s'is unknown!";
inline constexpr char tooManyOperands[] = "Too many operands";
inline constexpr char movXIndexed[] = "Illegal instruction MOV X,[X+expr]";
inline constexpr char tooManyMovOperands[] = "Too many operands for a MOV instruction";
inline constexpr char expectedCommaA[] = "',a' Expected as second operand.";
inline constexpr char tooManyIncDecA[] = "Too many operands for 'INC/DEC a' instruction.";
inline constexpr char tooManyIncDecX[] = "Too many operands for 'INC/DEC x' instruction.";
inline constexpr char tooManyIncDecMem[] = "Too many operands for 'INC/DEC []' instruction.";
inline constexpr char tooManyForInstruction[] = "Too many operands for instruction.";
inline constexpr char noOperandsAllowed[] = "No operands allowed for instruction.";
inline constexpr char tooManyPushPopA[] = "Too many operands for 'PUSH/POP a' instruction.";
inline constexpr char tooManyPushPopX[] = "Too many operands for 'PUSH/POP x' instruction.";
inline constexpr char tooManySwap[] = "Too many operands for 'SWAP' instruction.";
inline constexpr char tooManyLogic[] = "Too many operands for 'LOGIC' instruction.";
inline constexpr char tooManyIpret[] = "Too many operands for 'IPRET' instruction.";
inline constexpr char iowxExpectsIndex[] = "IOWX expects 'x +' within square brackets.";
inline constexpr char illegalIoOperand[] = "Illegal operand for IO read or write.";
inline constexpr char tooManyIo[] = "Too many operands for 'IO' instruction.";
inline constexpr char pageCrossing[] =
    "Following instruction crosses page boundary. WILL NOT EXECUTE CORRECTLY!";
inline constexpr char macroRedefinesReserved[] =
    "Macro - '%s' - is re-defining a reserved mnemonic.";
inline constexpr char macroAlreadyDefined[] = "Macro - '%s' - already defined";
inline constexpr char macroNameMissing[] = "Bad macro definition: Macro name not found.";
inline constexpr char tooManyParamsPlural[] =
    "Too many parameters. Macro '%s' requires %d parameters separated by a comma.";
inline constexpr char missingParamsPlural[] =
    "Macro '%s' requires %d parameters separated by a comma.";
inline constexpr char missingParamSingular[] = "Macro '%s' requires %d parameter.";
inline constexpr char tooManyParamsSingular[] =
    "Too many parameters. Macro '%s' requires %d parameter.";
inline constexpr char expandedLineTooLong[] =
    "Expanded macro line exceeds maximum line length; cut to %d characters.";
inline constexpr char strayItemText[] = "Unexpected '%c' in operand list; rest of line ignored.";

// ---- Minor warning (reportMinorWarning, suppressed by -b) -----------------------------------
inline constexpr char labelRedefinedAsNumber[] = "'%s' has been redefined as a label = '%X'";
inline constexpr char equUndefinedAfterPass1[] = "Label '%s' undefined after first pass.\n";
inline constexpr char largerThanByte[] = "'%02Xh' is larger than a byte.";
inline constexpr char largerThanWord[] = "'%02Xh' is larger than a word (16bits)";
inline constexpr char nonexistentRam[] = "Nonexistent RAM address, '%02Xh'";
inline constexpr char dataOutOfRange[] = "Data out of range, '%d' >= '%d'";
inline constexpr char ioOutOfRange[] = "IO address out of range, '%02Xh' >= '%02Xh'";
inline constexpr char callOutOfRange[] = "Operand address out of range, '%04Xh' >= %04Xb";
inline constexpr char tooManyAddressOperands[] = "Too many operands for an address instruction.";
inline constexpr char jumpOutOfRange[] = "Operand address out of range, '%04Xh' >= %04Xh";
inline constexpr char pageCrossingXpageOff[] = "Page crossing detected and XPAGEOFF enabled.";

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

// ---- GNU-style diagnostics (--diagnostics=gnu) ----------------------------------------------
inline constexpr char inExpansionOfMacro[] = "in expansion of macro '%s'";

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

}  // namespace zelas::msg
