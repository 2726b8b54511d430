// The menu bar from the layout's menu: popups that open on a click, a tap, a
// hover over a submenu or the keyboard, items that send their command. A
// menu never takes the keyboard focus from the panel's controls, and an
// item carries a check mark only when the logic sets one.

import { make } from './elements.js';

// "条件(&C)" as text and mnemonic: the letter after & is underlined.
export function mnemonicText(text) {
  const at = text.indexOf('&');
  const node = document.createDocumentFragment();
  if (at < 0 || at + 1 >= text.length) {
    node.append(text);
    return { node, mnemonic: null };
  }
  const underlined = make('u', '', { textContent: text[at + 1] });
  node.append(text.slice(0, at), underlined, text.slice(at + 2));
  return { node, mnemonic: text[at + 1].toUpperCase() };
}

export class MenuBar {
  // `command(id)` sends a menu command to the dialog.
  constructor(entries, command) {
    this.command = command;
    this.items = new Map();  // id -> item node
    this.open = [];          // the open popups, outermost first: {node, highlight}
    this.barIndex = -1;      // the title highlighted while the bar has the keys with no popup open
    this.element = make('div', 'menubar', {}, { role: 'menubar' });
    this.element.addEventListener('mousedown', (event) => event.preventDefault());
    this.top = this.parse(entries);
    this.top.forEach((node) => this.element.append(this.titleOf(node)));
    this.outside = (event) => {
      if (this.open.length && !this.element.contains(event.target)) this.closeAll();
    };
    document.addEventListener('pointerdown', this.outside, true);
  }

  remove() {
    document.removeEventListener('pointerdown', this.outside, true);
  }

  // The entries as a tree; the items of the first popup carry check marks.
  parse(entries) {
    const top = [];
    const stack = [];
    let firstPopup = null;
    for (const entry of entries) {
      const siblings = stack.length ? stack[stack.length - 1].children : top;
      if (entry.kind === 'popup') {
        const node = { kind: 'popup', text: entry.text, children: [], parent: stack[stack.length - 1] || null };
        if (!firstPopup && !stack.length) firstPopup = node;
        siblings.push(node);
        stack.push(node);
      } else if (entry.kind === 'item') {
        const inFirst = stack.length > 0 && stack[0] === firstPopup;
        const node = { kind: 'item', text: entry.text, id: entry.id, checkable: inFirst, checked: inFirst && entry.checked, parent: stack[stack.length - 1] || null };
        siblings.push(node);
        this.items.set(entry.id, node);
      } else {
        stack.pop();
      }
    }
    return top;
  }

  titleOf(node) {
    const title = make('span', 'menu-title', {}, { role: 'menuitem' });
    const { node: text, mnemonic } = mnemonicText(node.text);
    title.append(text);
    node.mnemonic = mnemonic;
    node.element = title;
    if (node.kind === 'popup') {
      title.setAttribute('aria-haspopup', 'menu');
      node.popup = this.popupOf(node);
      title.append(node.popup);
      title.addEventListener('click', (event) => {
        if (node.popup.contains(event.target)) return;
        if (this.open.length && this.open[0].node === node) this.closeAll();
        else this.openTop(node, -1);
      });
      title.addEventListener('pointerenter', () => {
        if (this.open.length && this.open[0].node !== node) this.openTop(node, -1);
      });
    } else {
      title.dataset.menuId = String(node.id);
      title.addEventListener('click', () => this.activate(node));
    }
    return title;
  }

  popupOf(node) {
    const popup = make('div', 'menu', { hidden: true }, { role: 'menu' });
    node.children.forEach((child, index) => {
      const row = make('div', 'menu-item');
      const check = make('span', 'menu-check');
      const label = make('span', 'menu-label');
      label.append(mnemonicText(child.text).node);
      row.append(check, label);
      child.element = row;
      child.index = index;
      if (child.kind === 'popup') {
        row.classList.add('submenu');
        row.setAttribute('role', 'menuitem');
        row.setAttribute('aria-haspopup', 'menu');
        child.popup = this.popupOf(child);
        row.append(child.popup);
        row.addEventListener('pointerenter', () => this.openSub(child));
        row.addEventListener('click', (event) => {
          if (!child.popup.contains(event.target)) this.openSub(child);
        });
      } else {
        row.setAttribute('role', child.checkable ? 'menuitemcheckbox' : 'menuitem');
        row.dataset.menuId = String(child.id);
        row.addEventListener('click', (event) => {
          event.stopPropagation();
          this.activate(child);
        });
        this.showCheck(child);
      }
      row.addEventListener('pointerenter', () => this.highlightIn(node, index));
      popup.append(row);
    });
    return popup;
  }

  showCheck(node) {
    if (!node.checkable) return;
    node.element.setAttribute('aria-checked', String(node.checked));
    node.element.querySelector('.menu-check').textContent = node.checked ? '✓' : '';
  }

  check(id, on) {
    const node = this.items.get(id);
    if (node && node.checkable) {
      node.checked = on;
      this.showCheck(node);
    }
  }

  checked(id) {
    const node = this.items.get(id);
    return Boolean(node && node.checked);
  }

  // A click on the item of command `id`; false when the menu has none.
  click(id) {
    const node = this.items.get(id);
    if (!node) return false;
    node.element.click();
    return true;
  }

  activate(node) {
    this.closeAll();
    this.command(node.id);
  }

  // True while the menu has the keys: a popup is open, or the bar is highlighted after Escape.
  isOpen() {
    return this.open.length > 0 || this.barIndex >= 0;
  }

  highlightBar(index) {
    this.barIndex = index;
    this.top.forEach((node, i) => node.element.classList.toggle('highlight', i === index));
  }

  openTop(node, highlight) {
    this.closeAll();
    node.popup.hidden = false;
    node.element.classList.add('open');
    this.open = [{ node, highlight: -1 }];
    this.highlightIn(node, highlight);
  }

  openSub(node) {
    const at = this.open.findIndex((level) => level.node === node.parent);
    if (at < 0) return;
    this.closeFrom(at + 1);
    this.highlightIn(node.parent, node.index);
    node.popup.hidden = false;
    node.element.classList.add('open');
    this.open.push({ node, highlight: -1 });
  }

  closeFrom(depth) {
    while (this.open.length > depth) {
      const { node } = this.open.pop();
      node.popup.hidden = true;
      node.element.classList.remove('open');
      node.children.forEach((child) => child.element.classList.remove('highlight'));
    }
  }

  closeAll() {
    this.closeFrom(0);
    this.highlightBar(-1);
  }

  highlightIn(node, index) {
    const level = this.open.find((l) => l.node === node);
    if (!level) return;
    level.highlight = index;
    node.children.forEach((child, i) => child.element.classList.toggle('highlight', i === index));
  }

  // Alt and a letter: a popup of the bar opens, an item of the bar sends its command.
  mnemonic(letter) {
    const node = this.top.find((n) => n.mnemonic === letter);
    if (!node) return false;
    if (node.kind === 'popup') this.openTop(node, 0);
    else this.activate(node);
    return true;
  }

  // The keys while the menu has them, as measured on the real window: in a
  // popup Up and Down move, Enter or Right opens the highlighted submenu, Left
  // closes a submenu, Enter chooses an item, Escape closes one popup and from
  // the bar's popup goes back to the bar with its title highlighted.
  key(event) {
    if (this.open.length === 0) {
      this.barKey(event);
      return;
    }
    const level = this.open[this.open.length - 1];
    const children = level.node.children;
    const child = children[level.highlight];
    switch (event.key) {
      case 'ArrowDown': this.highlightIn(level.node, (level.highlight + 1) % children.length); break;
      case 'ArrowUp': this.highlightIn(level.node, (level.highlight + children.length - 1) % children.length); break;
      case 'ArrowRight':
      case 'Enter':
        if (child && child.kind === 'popup') {
          this.openSub(child);
          this.highlightIn(child, 0);
        } else if (child && event.key === 'Enter') {
          this.activate(child);
        }
        break;
      case 'ArrowLeft':
        if (this.open.length > 1) this.closeFrom(this.open.length - 1);
        break;
      case 'Escape':
        if (this.open.length === 1) {
          const index = this.top.indexOf(this.open[0].node);
          this.closeFrom(0);
          this.highlightBar(index);
        } else {
          this.closeFrom(this.open.length - 1);
        }
        break;
      default:
        break;
    }
  }

  // The keys on the bar with no popup open: Left and Right move between the
  // titles, Down or Enter opens the title's popup or chooses its command,
  // Escape leaves the bar. (On the real window the bar also passes through
  // the system menu, which the page has not: here Left and Right stop at
  // the bar's ends.)
  barKey(event) {
    switch (event.key) {
      case 'ArrowLeft': this.highlightBar(Math.max(this.barIndex - 1, 0)); break;
      case 'ArrowRight': this.highlightBar(Math.min(this.barIndex + 1, this.top.length - 1)); break;
      case 'ArrowDown':
      case 'Enter': {
        const node = this.top[this.barIndex];
        if (node.kind === 'popup') this.openTop(node, 0);
        else this.activate(node);
        break;
      }
      case 'Escape': this.highlightBar(-1); break;
      default:
        break;
    }
  }
}
