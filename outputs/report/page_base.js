// What the report page's and the logbook page's scripts share: elements made from data, every
// text from a log or the file system added as text (a text node), never as markup; the record
// clock as text.
/* exported element, svgElement, twoDigits, wholeClockText, clockText */
function element(tag, attributes, children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes || {})) node.setAttribute(name, value);
  for (const child of children || []) {
    node.append(child instanceof Node ? child : document.createTextNode(String(child)));
  }
  return node;
}

function svgElement(tag, attributes) {
  const node = document.createElementNS('http://www.w3.org/2000/svg', tag);
  for (const [name, value] of Object.entries(attributes || {})) node.setAttribute(name, value);
  return node;
}

function twoDigits(n) {
  return String(n).padStart(2, '0');
}

// Whole seconds of the record clock: m:ss under an hour, h:mm:ss from an hour.
function wholeClockText(seconds) {
  const whole = Math.floor(seconds);
  const h = Math.floor(whole / 3600);
  const m = Math.floor(whole / 60) % 60;
  const s = whole % 60;
  return h > 0 ? h + ':' + twoDigits(m) + ':' + twoDigits(s) : m + ':' + twoDigits(s);
}

// The record clock to the tenth as every health text writes it, the program's clockText:
// m:ss.s under an hour, h:mm:ss.s from an hour, with the page language's decimal separator.
function clockText(milliseconds, decimal) {
  const tenths = Math.floor((milliseconds + 50) / 100);
  return wholeClockText(Math.floor(tenths / 10)) + decimal + (tenths % 10);
}
