// A new element of the page: the one way the page's modules make their
// elements. `className` may be empty; `properties` are set on the element
// (type, textContent, tabIndex, hidden, id, ...), `attributes` with
// setAttribute (role, aria-*).
export function make(tag, className = '', properties = {}, attributes = {}) {
  const made = document.createElement(tag);
  if (className) made.className = className;
  Object.assign(made, properties);
  for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
  return made;
}
