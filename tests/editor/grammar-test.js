'use strict';
// The grammar tokenizes a script that holds every construct of the language, and
// each token must carry the scope a theme colours it by. Keywords are written in
// several cases, since the program reads them in any.

const test = require('node:test');
const assert = require('node:assert');
const { loadGrammar, tokenizeLines } = require('./textmate');

const kComment = 'comment.line.apostrophe';
const kCommentStart = 'punctuation.definition.comment';
const kText = 'string.quoted.double';
const kOpen = 'punctuation.definition.string.begin';
const kClose = 'punctuation.definition.string.end';
const kEscape = 'constant.character.escape';
const kVariable = 'variable.other';
const kGlobal = 'variable.other.global';
const kAssign = 'keyword.operator.assignment';
const kArithmetic = 'keyword.operator.arithmetic';
const kCompare = 'keyword.operator.comparison';
const kNumber = 'constant.numeric.decimal';
const kHex = 'constant.numeric.hex';
const kParenOpen = 'punctuation.section.parens.begin';
const kParenClose = 'punctuation.section.parens.end';
const kComma = 'punctuation.separator.arguments';
const kIndexOpen = 'punctuation.section.index.begin';
const kIndexClose = 'punctuation.section.index.end';
const kTilde = 'punctuation.definition.call';
const kDot = 'punctuation.accessor';
const kModule = 'support.class.module';
const kBuiltin = 'support.function';
const kFunction = 'entity.name.function';
const kClass = 'entity.name.type.class';
const kLabel = 'entity.name.label';
const kCondition = 'keyword.control.conditional';
const kBlock = 'keyword.control.block';
const kLoopControl = 'keyword.control.loop';
const kFlow = 'keyword.control.flow';

// Each line of the sample script, and the tokens it must give: [text, scope].
const kSample = [
  ["' every construct, for the grammar's test", [["'", kCommentStart], ["every construct, for the grammar's test", kComment]]],
  // A byte order mark, which only a first line has, keeps the statement's word first.
  ['\uFEFF#Import <dos>', [['#Import', 'keyword.control.import'], ['<', 'punctuation.definition.module.begin'],
    ['dos', 'entity.name.namespace'], ['>', 'punctuation.definition.module.end']]],
  ['#IMPORT "tools.mlk"', [['#IMPORT', 'keyword.control.import'], ['"', kOpen], ['tools.mlk', kText], ['"', kClose]]],
  ['$public.count = 0x1F', [['$public.count', kGlobal], ['=', kAssign], ['0x1F', kHex]]],
  // A quote inside a literal starts no comment; one after it does.
  ['$name = "It\'s \\x22text\\x22" \' said', [['$name', kVariable], ['=', kAssign], ['"', kOpen], ["It's", kText],
    ['\\x22', kEscape], ['text', kText], ['\\x22', kEscape], ['"', kClose], ["'", kCommentStart], ['said', kComment]]],
  // \x takes exactly two hexadecimal digits, and only a lower-case x.
  ['$bad = "\\x4g \\X41"', [['$bad', kVariable], ['=', kAssign], ['"', kOpen], ['\\x', 'invalid.illegal.escape'],
    ['4g \\X41', kText], ['"', kClose]]],
  ['$grid[$i][$j + 1] = 2.5 * -3 % .5 ^ 2 / 7', [['$grid', kVariable], ['[', kIndexOpen], ['$i', kVariable], [']', kIndexClose],
    ['[', kIndexOpen], ['$j', kVariable], ['+', kArithmetic], ['1', kNumber], [']', kIndexClose], ['=', kAssign],
    ['2.5', kNumber], ['*', kArithmetic], ['-', kArithmetic], ['3', kNumber], ['%', kArithmetic], ['.5', kNumber],
    ['^', kArithmetic], ['2', kNumber], ['/', kArithmetic], ['7', kNumber]]],
  ['$fruit("apple", "pear").Array', [['$fruit', kVariable], ['(', kParenOpen], ['"', kOpen], ['apple', kText], ['"', kClose],
    [',', kComma], ['"', kOpen], ['pear', kText], ['"', kClose], [')', kParenClose], ['.', kDot], ['Array', 'keyword.other']]],
  ['Def: Twice($n)', [['Def:', 'storage.type.function'], ['Twice', kFunction], ['(', kParenOpen], ['$n', kVariable],
    [')', kParenClose]]],
  ['  Return $n * 2', [['Return', kFlow], ['$n', kVariable], ['*', kArithmetic], ['2', kNumber]]],
  ['END DEF', [['END DEF', 'storage.type.function.end']]],
  ['Class: Calc', [['Class:', 'storage.type.class'], ['Calc', kClass]]],
  ['  def:Add($a, $b)', [['def:', 'storage.type.function'], ['Add', kFunction], ['(', kParenOpen], ['$a', kVariable],
    [',', kComma], ['$b', kVariable], [')', kParenClose]]],
  ['    RETURN $a + $b', [['RETURN', kFlow], ['$a', kVariable], ['+', kArithmetic], ['$b', kVariable]]],
  ['  EndDef', [['EndDef', 'storage.type.function.end']]],
  ['end class', [['end class', 'storage.type.class.end']]],
  ['~Box(Calc).NEW', [['~', kTilde], ['Box', 'variable.other.object'], ['(', kParenOpen], ['Calc', kClass],
    [')', kParenClose], ['.', kDot], ['NEW', 'keyword.other']]],
  [':Again', [[':', 'punctuation.definition.label'], ['Again', kLabel]]],
  ['cmp ($public.count <> 10)', [['cmp', kCondition], ['(', kParenOpen], ['$public.count', kGlobal], ['<>', kCompare],
    ['10', kNumber], [')', kParenClose]]],
  ['  Continue', [['Continue', kLoopControl]]],
  ['ElCmp ($name == "a\\x3eb")', [['ElCmp', kCondition], ['(', kParenOpen], ['$name', kVariable], ['==', kCompare],
    ['"', kOpen], ['a', kText], ['\\x3e', kEscape], ['b', kText], ['"', kClose], [')', kParenClose]]],
  ['  BREAK', [['BREAK', kLoopControl]]],
  ["End ' of the branches", [['End', kBlock], ["'", kCommentStart], ['of the branches', kComment]]],
  ['Cmp (~Dos.Len($name) >= 1)', [['Cmp', kCondition], ['(', kParenOpen], ['~', kTilde], ['Dos', kModule], ['.', kDot],
    ['Len', kBuiltin], ['(', kParenOpen], ['$name', kVariable], [')', kParenClose], ['>=', kCompare], ['1', kNumber],
    [')', kParenClose]]],
  ['  ~Print($x ~calc.Add(1, 2) ~Twice(3))', [['~', kTilde], ['Print', kFunction], ['(', kParenOpen], ['$x', kVariable],
    ['~', kTilde], ['calc', kClass], ['.', kDot], ['Add', kFunction], ['(', kParenOpen], ['1', kNumber], [',', kComma],
    ['2', kNumber], [')', kParenClose], ['~', kTilde], ['Twice', kFunction], ['(', kParenOpen], ['3', kNumber],
    [')', kParenClose], [')', kParenClose]]],
  ['loop', [['loop', kBlock]]],
  ['$y = ~DLLMsg("user32.dll", @$n, 0) ~desk.Wait("A", 10)', [['$y', kVariable], ['=', kAssign], ['~', kTilde],
    ['DLLMsg', 'support.function.interop'], ['(', kParenOpen], ['"', kOpen], ['user32.dll', kText], ['"', kClose],
    [',', kComma], ['@', 'keyword.operator.as-text'], ['$n', kVariable], [',', kComma], ['0', kNumber], [')', kParenClose], ['~', kTilde], ['desk', kModule], ['.', kDot], ['Wait', kBuiltin],
    ['(', kParenOpen], ['"', kOpen], ['A', kText], ['"', kClose], [',', kComma], ['10', kNumber], [')', kParenClose]]],
  // Words that only look like keywords or numbers: a variable named end, an upper-case
  // X (no hexadecimal number), digits inside a name, a keyword that is not first.
  ['$end = 0X10 $a1 Loop', [['$end', kVariable], ['=', kAssign], ['0X10', 'source'], ['$a1', kVariable], ['Loop', 'source']]],
  ['$v < 2 > 3 <= 4', [['$v', kVariable], ['<', kCompare], ['2', kNumber], ['>', kCompare], ['3', kNumber],
    ['<=', kCompare], ['4', kNumber]]],
  ['GoTo Again', [['GoTo', 'keyword.control.goto'], ['Again', kLabel]]],
  ['Exit 3', [['Exit', kFlow], ['3', kNumber]]],
];

test('every construct of the sample script gets its scope', async () => {
  const grammar = await loadGrammar();
  const lines = kSample.map(([line]) => line);
  const tokens = tokenizeLines(grammar, lines);
  kSample.forEach(([line, expected], i) => assert.deepStrictEqual(tokens[i], expected, line));
});

test('an unclosed literal ends with its line', async () => {
  const grammar = await loadGrammar();
  const [first, second] = tokenizeLines(grammar, ['$a = "open', '$b = 1']);
  assert.deepStrictEqual(first, [['$a', kVariable], ['=', kAssign], ['"', kOpen], ['open', kText]]);
  assert.deepStrictEqual(second, [['$b', kVariable], ['=', kAssign], ['1', kNumber]]);
});
