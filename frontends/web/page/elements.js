// A new element of the page with its class: the one way the page's modules
// make their elements.
export function make(tag, className) {
  const made = document.createElement(tag);
  made.className = className;
  return made;
}
